# cmake -DINPUT=<file> -DOUTPUT=<cpp> -DSYMBOL=<name> -P EmbedFile.cmake
# Writes a C++ source defining `extern const unsigned char SYMBOL[]` and `SYMBOL_size` with the
# file's bytes, unchanged (no execution character set applies to a byte array).
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x[0-9a-f][0-9a-f],){24}" "\\0\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "#include <cstddef>\nextern const unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\nextern const std::size_t ${SYMBOL}_size = ${size};\n")
