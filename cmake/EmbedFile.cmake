# zorli_embed_file(<target> <file> <symbol>): at build time turns <file> into a C++ source
# that defines, in namespace zorli::embedded,
#   extern const unsigned char <symbol>[];   // the file's bytes
#   extern const std::size_t <symbol>Size;   // their count
# and adds that source to <target>. Declare the two names yourself where they are used.
# Editing <file> regenerates the source.
#
# The same file runs as a script (cmake -P) to do the conversion.

if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${INPUT}" hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR byte_count "${hex_length} / 2")
  # 16 bytes a line keeps the generated source readable in diffs and debuggers.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){16})" "\\1\n  " bytes "${bytes}")
  if(byte_count EQUAL 0)
    set(bytes "0")  # an array may not be empty; the size still says 0
  endif()
  file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include <cstddef>
namespace zorli::embedded {
extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}Size;
const unsigned char ${SYMBOL}[] = {
  ${bytes}
};
const std::size_t ${SYMBOL}Size = ${byte_count};
}  // namespace zorli::embedded
")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

set(ZORLI_EMBED_FILE_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(zorli_embed_file target file symbol)
  get_filename_component(input "${file}" ABSOLUTE)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol}
            -P "${ZORLI_EMBED_FILE_SCRIPT}"
    DEPENDS "${input}" "${ZORLI_EMBED_FILE_SCRIPT}"
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
endfunction()
