# What "cmake --install" puts on a machine: the program and
# its command-line calculator, their language files, a menu entry, icons and
# the software-centre description. Development tools and tests stay in the
# build folder.
include(GNUInstallDirs)

# The program looks for its "language" folder beside its own executable, so
# the executables and that folder live together in a private folder, and the
# commands on PATH are links into it. A folder of the program's own belongs
# under lib/, not under the architecture-specific library folder.
set(FENWARDE_INSTALL_PROGRAMDIR lib/fenwarde CACHE STRING
    "Folder, relative to the prefix, for the executables and their language files")
set(fenwarde_commands fenwarde fenwarde-calc)

install(TARGETS ${fenwarde_commands} RUNTIME DESTINATION ${FENWARDE_INSTALL_PROGRAMDIR})

# The commands on PATH are relative links, so the installed tree still works
# wherever DESTDIR, --prefix or a package manager puts it. An installed copy
# needs no search path into the build folder; a Qt found outside the system
# folders keeps its own.
file(RELATIVE_PATH link_target /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${FENWARDE_INSTALL_PROGRAMDIR})
set(link_folder ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_folder})
foreach(command ${fenwarde_commands})
    set_target_properties(${command} PROPERTIES INSTALL_RPATH "" INSTALL_RPATH_USE_LINK_PATH ON)
    file(CREATE_LINK ${link_target}/${command} ${link_folder}/${command} SYMBOLIC)
    install(FILES ${link_folder}/${command} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# Every language in the source folder is installed; a new file there is picked
# up at the next build.
file(GLOB fenwarde_languages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/language/*.xml)
install(FILES ${fenwarde_languages} DESTINATION ${FENWARDE_INSTALL_PROGRAMDIR}/language)

set(desktop ${CMAKE_SOURCE_DIR}/res/desktop)
install(FILES ${desktop}/fenwarde.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop}/invalid.fenwarde.Fenwarde.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${desktop}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${CMAKE_SOURCE_DIR}/res/art/fenwarde-icon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME fenwarde.svg)

