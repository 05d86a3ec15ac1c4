# cmake -DIN=file -DOUT=file.cpp -DNAME=Constant -P embed.cmake
# Writes the file as an ImageBytes constant: 1, the byte count, the bytes.
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR n "${hexlen} / 2")
math(EXPR b0 "${n} & 255")
math(EXPR b1 "(${n} >> 8) & 255")
math(EXPR b2 "(${n} >> 16) & 255")
math(EXPR b3 "(${n} >> 24) & 255")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" body "${body}")
file(WRITE "${OUT}" "#include \"assets/image_bytes.h\"\n"
  "alignas(4) static const unsigned char k${NAME}Raw[] = {1,0,0,0,${b0},${b1},${b2},${b3},\n${body}};\n"
  "extern const ImageBytes ${NAME}{k${NAME}Raw};\n")
