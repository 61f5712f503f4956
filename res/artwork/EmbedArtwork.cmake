# Writes OUTPUT: the PNGs listed in MANIFEST ("picture width height file" a line) and the
# table TABLE as byte arrays for res/ArtworkData.h.
function(byte_array file out)
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

file(STRINGS ${MANIFEST} entries)
set(arrays "")
set(rows "")
set(index 0)
foreach(entry IN LISTS entries)
  string(REPLACE " " ";" fields "${entry}")
  list(GET fields 0 picture)
  list(GET fields 1 width)
  list(GET fields 2 height)
  list(GET fields 3 file)
  byte_array(${file} bytes)
  string(APPEND arrays "const unsigned char kPng${index}[] = {${bytes}};\n")
  string(APPEND rows "    {\"${picture}\", ${width}, ${height}, kPng${index}, sizeof kPng${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()
byte_array(${TABLE} table)
file(WRITE ${OUTPUT}.tmp "// Made by res/artwork/EmbedArtwork.cmake from res/artwork/artwork.txt.\n"
  "#include \"res/ArtworkData.h\"\n\nnamespace {\n${arrays}const unsigned char kTable[] = {${table}};\n}\n\n"
  "const ArtworkPicture kArtworkPictures[] = {\n${rows}};\n"
  "const size_t kArtworkPictureCount = ${index};\n"
  "const std::string_view kArtworkTable(reinterpret_cast<const char*>(kTable), sizeof kTable);\n")
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
