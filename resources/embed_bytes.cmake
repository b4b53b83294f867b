# Writes OUTPUT, a C++ file defining ExampleBitmapBytes() over the bytes of INPUT.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR byte_count "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
# Break the one long line every 32 bytes so compilers and editors stay happy.
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from example.bmp; do not edit.\n#include \"example_bitmap.h\"\n\nnamespace {\nconst unsigned char kBytes[${byte_count}] = {\n${bytes}\n};\n}\n\nstd::span<const unsigned char> ExampleBitmapBytes()\n{\n    return {kBytes, sizeof kBytes};\n}\n")
