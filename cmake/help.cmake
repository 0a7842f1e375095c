# The help file glimmera.chm, compiled from the pages under help/ beside glimmera.exe.
find_program(GLIMMERA_CHMCMD chmcmd)
if(NOT GLIMMERA_CHMCMD)
  message(FATAL_ERROR "chmcmd not found: the help file glimmera.chm is built with it. "
                      "Install Debian's fp-utils (tools/install-deps.sh does).")
endif()

file(GLOB glimmera_help_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
set(glimmera_chm ${CMAKE_BINARY_DIR}/glimmera.chm)
# chmcmd writes into its working directory and leaves an empty file when it fails, so
# it compiles in a folder of its own and only a finished file is copied out.
set(glimmera_help_work ${CMAKE_BINARY_DIR}/help-compile)
file(MAKE_DIRECTORY ${glimmera_help_work})
add_custom_command(
  OUTPUT ${glimmera_chm}
  COMMAND ${CMAKE_COMMAND} -E remove -f ${glimmera_help_work}/glimmera.chm
  COMMAND ${GLIMMERA_CHMCMD} ${CMAKE_SOURCE_DIR}/help/glimmera.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${glimmera_help_work}/glimmera.chm ${glimmera_chm}
  WORKING_DIRECTORY ${glimmera_help_work}
  DEPENDS ${glimmera_help_sources}
  COMMENT "Compiling the help file glimmera.chm"
  VERBATIM)
add_custom_target(glimmera_help ALL DEPENDS ${glimmera_chm})
