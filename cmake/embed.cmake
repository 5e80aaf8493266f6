# vorn_embed(<target> <symbol> <file>): compiles <file> into <target> as
#   extern const unsigned char <symbol>[];   (the bytes, then a 0 terminator)
#   extern const unsigned int  <symbol>Size; (the byte count, without the 0)
# The conversion runs in CMake's script mode, so it needs no host tool and
# works the same for native and cross builds.
set(VORN_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake)

function(vorn_embed target symbol file)
  get_filename_component(src ${file} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${src} -DOUTPUT=${out} -DSYMBOL=${symbol}
            -P ${VORN_EMBED_SCRIPT}
    DEPENDS ${src} ${VORN_EMBED_SCRIPT}
    COMMENT "Embedding ${file} as ${symbol}"
    VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()
