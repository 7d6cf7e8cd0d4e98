# Install layout: the two desktop programs and their help live together in one program
# folder (each finds the other and the help beside itself); small launchers in bin/ carry
# names that cannot clash with the system's own `watch`. The tools go straight into bin/.
include(GNUInstallDirs)

set(ZT_PROGRAM_DIR lib/zt5series)
set(ZT_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)

foreach(program IN ITEMS kestrel watch)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${ZT_PROGRAM_DIR})
    set(ZT_PROGRAM ${program})
    set(ZT_RELATIVE_LIBDIR ../${ZT_PROGRAM_DIR})
    configure_file(${ZT_PACKAGING_DIR}/launcher.sh.in
                   ${PROJECT_BINARY_DIR}/launchers/zt5-${program} @ONLY)
    install(PROGRAMS ${PROJECT_BINARY_DIR}/launchers/zt5-${program} DESTINATION bin)
    install(FILES ${ZT_PACKAGING_DIR}/zt5-${program}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${ZT_PACKAGING_DIR}/icons/zt5-${program}.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size IN ITEMS 16 24 32 48 64 128 256)
      install(FILES ${ZT_PACKAGING_DIR}/icons/${size}x${size}/zt5-${program}.png
              DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
  endif()
endforeach()

foreach(tool IN ITEMS zt2 zt5sim)
  if(TARGET ${tool})
    install(TARGETS ${tool} RUNTIME DESTINATION bin)
  endif()
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${ZT_PROGRAM_DIR}/help)
install(DIRECTORY ${ZT_PACKAGING_DIR}/man/ DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        FILES_MATCHING PATTERN "*.1")

# Debian wants the copyright and a compressed change log under doc/<package>.
set(ZT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})
install(FILES ${ZT_PACKAGING_DIR}/copyright DESTINATION ${ZT_DOC_DIR})
set(ZT_CHANGELOG_GZ ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${ZT_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
  COMMAND gzip -9 -n -c ${ZT_PACKAGING_DIR}/changelog > ${ZT_CHANGELOG_GZ}
  DEPENDS ${ZT_PACKAGING_DIR}/changelog VERBATIM)
add_custom_target(zt_changelog ALL DEPENDS ${ZT_CHANGELOG_GZ})
install(FILES ${ZT_CHANGELOG_GZ} DESTINATION ${ZT_DOC_DIR})

# In the build tree the help sits beside kestrel too, so "ヘルプ" works in the demo.
if(TARGET kestrel)
  add_custom_target(zt_help ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help
            $<TARGET_FILE_DIR:kestrel>/help
    COMMENT "Copying the help beside kestrel" VERBATIM)
endif()

include(cmake/Package.cmake)
