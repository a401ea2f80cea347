# The files of an installed Vantora, relative to BIN_DIR: the program, its library, the
# ReadMe and the numbered pictures of the image sets laid out there.
file(GLOB_RECURSE PRODUCT_PICTURES RELATIVE ${BIN_DIR} ${BIN_DIR}/Images/*/[0-9][0-9]_*.jpg)
list(SORT PRODUCT_PICTURES)
set(PRODUCT_FILES Vantora.scr VNT32.dll ReadMe.txt ${PRODUCT_PICTURES})
