#pragma once

// What the tests of the geometric edits share: pictures drawn as text, and
// how a refusal must read.

#include "engine/error.h"
#include "engine/raster.h"
#include "test_raster.h"

#include <gtest/gtest.h>

#include <QImage>

#include <initializer_list>
#include <string>

namespace centrafix::test {

// A working copy drawn as text (see TextPicture for the characters).
inline QImage PictureOf(std::initializer_list<std::string> rows)
{
    const int width = static_cast<int>(rows.begin()->size());
    QImage picture(width, static_cast<int>(rows.size()), QImage::Format_RGB32);
    int y = 0;
    for (const std::string& row : rows) {
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, ToRasterWord(ColorOfChar(row[static_cast<std::size_t>(x)])));
        ++y;
    }
    return picture;
}

// Refused with a message in both languages, the English one naming
// `english` (a word or a number that says what was wrong).
template <class T>
void ExpectRefused(const Result<T>& result, const std::string& english)
{
    ASSERT_FALSE(result.ok()) << "expected a refusal naming " << english;
    const std::string inEnglish = ErrorText(result.error(), kEnglish);
    const std::string inGerman = ErrorText(result.error(), kGerman);
    EXPECT_NE(inEnglish.find(english), std::string::npos) << inEnglish;
    EXPECT_FALSE(inGerman.empty());
    EXPECT_NE(inGerman, inEnglish);
}

} // namespace centrafix::test
