# Script mode: checks the care phrases' table and writes it, byte for byte, into a C++
# source, so the rule cannot go missing with a file beside the program.
#   cmake -DSOURCE=care.tsv -DOUTPUT=care_table.cpp -P EmbedCareTable.cmake
file(READ ${SOURCE} content)

# Every line after the header is a comment or "kind<TAB>text" with a known kind.
set(rest "\n${content}")
string(REGEX REPLACE "\r" "" rest "${rest}")
string(REGEX REPLACE "^\nkind\ttext" "" rest "${rest}")
string(REGEX REPLACE "\n(crisis|except|fold|urgent|reply-(zh|en)(-urgent)?)\t[^\t\n]+" "" rest "${rest}")
string(REGEX REPLACE "\nsign\t[a-z]+\t[^\t\n]+" "" rest "${rest}")
string(REGEX REPLACE "\n#[^\n]*" "" rest "${rest}")
string(REGEX REPLACE "\n" "" rest "${rest}")
if(NOT rest STREQUAL "")
  string(SUBSTRING "${rest}" 0 80 start)
  message(FATAL_ERROR "${SOURCE}: a line is not \"kind<TAB>text\" with a known kind: ${start}")
endif()
foreach(kind crisis except reply-zh reply-en)
  string(REGEX MATCHALL "\n${kind}\t" found "\n${content}")
  list(LENGTH found count)
  if(count LESS 4)
    message(FATAL_ERROR "${SOURCE}: only ${count} lines of kind ${kind}")
  endif()
endforeach()

file(READ ${SOURCE} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}.new
  "// Made at build time from data/care.tsv (UTF-8); edit that file, not this one.\n"
  "#include <cstddef>\n\nnamespace zorli {\n\n"
  "extern const unsigned char kCareTableUtf8[] = {\n${bytes}};\n"
  "extern const std::size_t kCareTableUtf8Size = sizeof(kCareTableUtf8);\n\n"
  "}  // namespace zorli\n")
file(RENAME ${OUTPUT}.new ${OUTPUT})
