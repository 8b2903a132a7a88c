# The window's translations: every po/<lang>.po is compiled at build time into
# <build>/locale/<lang>/LC_MESSAGES/vantrel.mo (where the program and the GUI tests find it
# when run from the build tree) and installed to share/locale/<lang>/LC_MESSAGES/vantrel.mo.
# msgfmt --check refuses a catalog whose printf-style placeholders differ from the English.
find_program(MSGFMT_EXECUTABLE msgfmt)
if(NOT MSGFMT_EXECUTABLE)
  message(FATAL_ERROR "msgfmt not found: install gettext (scripts/install-deps.sh does)")
endif()

include(GNUInstallDirs)
file(GLOB VANTREL_PO_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/*.po)
set(VANTREL_MO_FILES "")
foreach(po IN LISTS VANTREL_PO_FILES)
  get_filename_component(lang ${po} NAME_WE)
  set(mo ${PROJECT_BINARY_DIR}/locale/${lang}/LC_MESSAGES/vantrel.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/locale/${lang}/LC_MESSAGES
    COMMAND ${MSGFMT_EXECUTABLE} --check -o ${mo} ${po}
    DEPENDS ${po}
    COMMENT "Compiling the ${lang} translation" VERBATIM)
  list(APPEND VANTREL_MO_FILES ${mo})
  install(FILES ${mo} DESTINATION ${CMAKE_INSTALL_LOCALEDIR}/${lang}/LC_MESSAGES)
endforeach()
add_custom_target(vantrel_translations ALL DEPENDS ${VANTREL_MO_FILES})
# Building the program or the GUI tests alone brings the catalogs along.
foreach(target vantrel vantrel_gui_tests)
  if(TARGET ${target})
    add_dependencies(${target} vantrel_translations)
  endif()
endforeach()
