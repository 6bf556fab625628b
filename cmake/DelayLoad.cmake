# zorli_delay_loaded(<name> <dll>): an imported library target delayed_<name> to link in
# place of <name> (mingw's lib<name>.a). Its functions are bound on their first call, by
# then to the DLL the program loaded from System32 itself, so that the loader never looks
# for <dll> in the program's folder at start-up, where a stranger may have put one.
find_program(ZORLI_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool REQUIRED)
# 32-bit import names carry a leading underscore and the stdcall decoration; 64-bit ones neither.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(zorli_import_prefix " I __imp__")
else()
  set(zorli_import_prefix " I __imp_")
endif()

function(zorli_delay_loaded name dll)
  find_library(import_library_${name} NAMES lib${name}.a REQUIRED NO_CMAKE_PATH)
  set(import_library ${import_library_${name}})
  set(out ${CMAKE_BINARY_DIR}/delay-load)
  file(MAKE_DIRECTORY ${out})
  execute_process(COMMAND ${CMAKE_NM} ${import_library} OUTPUT_VARIABLE symbols
                  COMMAND_ERROR_IS_FATAL ANY)
  # Every function the import library names, with its stdcall decoration.
  string(REGEX MATCHALL "${zorli_import_prefix}[A-Za-z0-9_@]+" imports "${symbols}")
  set(definitions "LIBRARY ${dll}\nEXPORTS\n")
  foreach(import ${imports})
    string(REPLACE "${zorli_import_prefix}" "" function ${import})
    # The 64-bit import libraries also name the interface IDs the DLL exports as data; a
    # delayed import of one is a jump thunk, whose bytes would be read as the GUID.
    if(function MATCHES "^(IID|LIBID|CLSID)_")
      continue()
    endif()
    string(APPEND definitions "${function}\n")
  endforeach()
  file(WRITE ${out}/${name}.def "${definitions}")
  execute_process(
    COMMAND ${ZORLI_DLLTOOL} --kill-at --input-def ${out}/${name}.def --dllname ${dll}
            --output-delaylib ${out}/lib${name}_delayed.a
    COMMAND_ERROR_IS_FATAL ANY)
  add_library(delayed_${name} STATIC IMPORTED GLOBAL)
  set_target_properties(delayed_${name} PROPERTIES IMPORTED_LOCATION ${out}/lib${name}_delayed.a)
endfunction()
