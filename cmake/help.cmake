# The help files beside glimmera.exe: glimmera.chm, compiled from the English pages under help/,
# and glimmera-ru.chm from the Russian ones under help/ru/ (kept in windows-1251, the code page
# the help viewer reads a Russian help file in). Both share help/glimmera.css.
find_program(GLIMMERA_CHMCMD chmcmd)
if(NOT GLIMMERA_CHMCMD)
  message(FATAL_ERROR "chmcmd not found: the help files are built with it. "
                      "Install Debian's fp-utils (tools/install-deps.sh does).")
endif()

set(glimmera_help_css ${CMAKE_SOURCE_DIR}/help/glimmera.css)
file(GLOB glimmera_help_en_sources LIST_DIRECTORIES false CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/help/*)
file(GLOB glimmera_help_ru_sources LIST_DIRECTORIES false CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/help/ru/*)
set(glimmera_help_sources ${glimmera_help_en_sources} ${glimmera_help_ru_sources})
set(glimmera_chm ${CMAKE_BINARY_DIR}/glimmera.chm)
set(glimmera_chm_ru ${CMAKE_BINARY_DIR}/glimmera-ru.chm)

# chmcmd writes into its working directory and leaves an empty file when it fails, so each
# file compiles in a folder of its own and only a finished file is copied out.
set(glimmera_help_work ${CMAKE_BINARY_DIR}/help-compile)
file(MAKE_DIRECTORY ${glimmera_help_work})
add_custom_command(
  OUTPUT ${glimmera_chm}
  COMMAND ${CMAKE_COMMAND} -E remove -f ${glimmera_help_work}/glimmera.chm
  COMMAND ${GLIMMERA_CHMCMD} ${CMAKE_SOURCE_DIR}/help/glimmera.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${glimmera_help_work}/glimmera.chm ${glimmera_chm}
  WORKING_DIRECTORY ${glimmera_help_work}
  DEPENDS ${glimmera_help_en_sources}
  COMMENT "Compiling the help file glimmera.chm"
  VERBATIM)

# chmcmd stores a file named "../glimmera.css" under that very name, where no page finds it:
# the Russian pages and the shared stylesheet are gathered into one folder first, so the
# stylesheet sits beside the pages in both files.
set(glimmera_help_ru_stage ${CMAKE_BINARY_DIR}/help-ru-pages)
set(glimmera_help_ru_work ${CMAKE_BINARY_DIR}/help-compile-ru)
file(MAKE_DIRECTORY ${glimmera_help_ru_work})
add_custom_command(
  OUTPUT ${glimmera_chm_ru}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${glimmera_help_ru_stage}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/help/ru ${glimmera_help_ru_stage}
  COMMAND ${CMAKE_COMMAND} -E copy ${glimmera_help_css} ${glimmera_help_ru_stage}
  COMMAND ${CMAKE_COMMAND} -E remove -f ${glimmera_help_ru_work}/glimmera-ru.chm
  COMMAND ${GLIMMERA_CHMCMD} ${glimmera_help_ru_stage}/glimmera-ru.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${glimmera_help_ru_work}/glimmera-ru.chm ${glimmera_chm_ru}
  WORKING_DIRECTORY ${glimmera_help_ru_work}
  DEPENDS ${glimmera_help_ru_sources} ${glimmera_help_css}
  COMMENT "Compiling the help file glimmera-ru.chm"
  VERBATIM)
add_custom_target(glimmera_help ALL DEPENDS ${glimmera_chm} ${glimmera_chm_ru})
