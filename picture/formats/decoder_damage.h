#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace centrafix {

// What a decoding library's warning says about the file. The libraries go
// on after most of them and fill what they could not decode (libjpeg with
// grey, libtiff by dropping a colour table and calling the picture grey), so
// a warning of either kind means the picture they give is not the file's.
enum class Damage {
    None,
    Missing, // the data ends before the picture does
    Corrupt, // the data is there but wrong
};

// libjpeg's warning by its message code.
Damage JpegWarningDamage(int messageCode);

// The same for warnings as text (as Qt's readers pass them on), for JPEG
// and TIFF; the first line that says damage, and its kind.
struct DamageRemark {
    Damage damage = Damage::None;
    std::string words;
};
DamageRemark JpegRemarksDamage(const std::vector<std::string>& remarks);
DamageRemark TiffRemarksDamage(const std::vector<std::string>& remarks);

} // namespace centrafix
