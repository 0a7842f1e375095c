# The installer glimmera-setup-<version>.exe, made by NSIS from installer/glimmera.nsi.
find_program(GLIMMERA_MAKENSIS makensis)
if(NOT GLIMMERA_MAKENSIS)
  message(FATAL_ERROR "makensis not found: the installer is built with it. "
                      "Install Debian's nsis (tools/install-deps.sh does).")
endif()

# The version resource wants exactly four numbers.
set(glimmera_version4 ${PROJECT_VERSION_MAJOR})
foreach(part MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    string(APPEND glimmera_version4 ".0")
  else()
    string(APPEND glimmera_version4 ".${PROJECT_VERSION_${part}}")
  endif()
endforeach()

set(glimmera_setup ${CMAKE_BINARY_DIR}/glimmera-setup-${PROJECT_VERSION}.exe)
# Setup and uninstaller carry the program's icon, which src/app draws at build time.
get_directory_property(glimmera_icon DIRECTORY src/app DEFINITION GLIMMERA_ICON)
if(NOT glimmera_icon)
  message(FATAL_ERROR "src/app defines no GLIMMERA_ICON: the installer needs the program icon.")
endif()
# The installed program carries no debug information or symbols (reports give bare
# addresses anyway): about 1 MB instead of 22, which makensis packs in seconds.
set(glimmera_setup_work ${CMAKE_BINARY_DIR}/installer-stage)
add_custom_command(
  OUTPUT ${glimmera_setup}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${glimmera_setup_work}
  COMMAND ${CMAKE_STRIP} -o ${glimmera_setup_work}/glimmera.exe
          $<TARGET_FILE:glimmera>
  COMMAND ${GLIMMERA_MAKENSIS} -V2 -NOCD
          -DVERSION=${PROJECT_VERSION} -DVERSION4=${glimmera_version4}
          -DPROGRAM=${glimmera_setup_work}/glimmera.exe -DHELPFILE=${glimmera_chm}
          -DHELPFILE_RU=${glimmera_chm_ru}
          -DICON=${glimmera_icon}
          -DOUTFILE=${glimmera_setup} ${CMAKE_SOURCE_DIR}/installer/glimmera.nsi
  # The help files are the help target's output; their sources stand for them here so
  # that their commands belong to that target alone.
  DEPENDS glimmera ${CMAKE_SOURCE_DIR}/installer/glimmera.nsi ${glimmera_help_sources}
          ${glimmera_icon}
  COMMENT "Building the installer glimmera-setup-${PROJECT_VERSION}.exe"
  VERBATIM)
add_custom_target(glimmera_installer ALL DEPENDS ${glimmera_setup})
add_dependencies(glimmera_installer glimmera_help glimmera_icon)
