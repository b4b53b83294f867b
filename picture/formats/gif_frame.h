#pragma once

class QIODevice;

namespace centrafix {

// How much of its first picture a GIF's coded pixels hold. Qt's reader
// takes a code stream that ends early (with its end code, or with its data)
// as a whole picture and fills the rest; the stream is walked here first.
enum class GifCoverage {
    Whole,      // every pixel of the first frame is coded
    DataEnds,   // the file goes on, but the codes end before the frame does
    FileEnds,   // the file ends first: a cut file, which Qt's reader finds
    Unreadable, // no frame, or codes no decoder can follow: left to Qt's reader
};

// Walks the GIF on `device` from where it stands, back to which it returns
// the device; reads the codes as they come and keeps no pixels.
GifCoverage FirstGifFrameCoverage(QIODevice* device);

} // namespace centrafix
