# Install layout: the two desktop programs and their help live together in one program
# folder (each finds the other and the help beside itself); small launchers in bin/ carry
# names that cannot clash with the system's own `watch`. The tools go straight into bin/.
include(GNUInstallDirs)

set(ZT_PROGRAM_DIR lib/zt5series)
set(ZT_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(ZT_GZIPPED_DIR ${PROJECT_BINARY_DIR}/packaging)
set(ZT_GZIPPED)

# Man pages and the change log are installed gzip-compressed, without time stamps.
function(zt_install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  set(output ${ZT_GZIPPED_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZT_GZIPPED_DIR}
    COMMAND gzip -9 -n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
  install(FILES ${output} DESTINATION ${destination})
  set(ZT_GZIPPED ${ZT_GZIPPED} ${output} PARENT_SCOPE)
endfunction()

foreach(program IN ITEMS kestrel watch)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${ZT_PROGRAM_DIR})
    set(ZT_PROGRAM ${program})
    set(ZT_RELATIVE_LIBDIR ../${ZT_PROGRAM_DIR})
    configure_file(${ZT_PACKAGING_DIR}/launcher.sh.in
                   ${PROJECT_BINARY_DIR}/launchers/zt5-${program} @ONLY)
    install(PROGRAMS ${PROJECT_BINARY_DIR}/launchers/zt5-${program} DESTINATION bin)
    zt_install_gzipped(${ZT_PACKAGING_DIR}/man/zt5-${program}.1 ${CMAKE_INSTALL_MANDIR}/man1)
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
    zt_install_gzipped(${ZT_PACKAGING_DIR}/man/${tool}.1 ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${ZT_PROGRAM_DIR}/help)

# Debian wants the copyright and a compressed change log under doc/<package>.
set(ZT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${PROJECT_NAME})
install(FILES ${ZT_PACKAGING_DIR}/copyright DESTINATION ${ZT_DOC_DIR})
zt_install_gzipped(${ZT_PACKAGING_DIR}/changelog ${ZT_DOC_DIR})
add_custom_target(zt_gzipped ALL DEPENDS ${ZT_GZIPPED})

# In the build tree the help sits beside kestrel too, so "ヘルプ" works in the demo.
if(TARGET kestrel)
  add_custom_target(zt_help ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help
            $<TARGET_FILE_DIR:kestrel>/help
    COMMENT "Copying the help beside kestrel" VERBATIM)
endif()

include(cmake/Package.cmake)
