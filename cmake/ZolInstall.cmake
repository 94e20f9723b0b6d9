# Desktop integration and installation: programs, data, help, icons, desktop entry, MIME type
# and manual pages in the standard places (GNUInstallDirs, see ZolBuildInfo.cmake).
set(ZOL_ICON_SIZES 16 22 24 32 48 64 128 256)

# The PNG renderings of the SVG icons, drawn by Qt at build time for desktops without SVG icons.
add_executable(zol_render_icons "${PROJECT_SOURCE_DIR}/tools/RenderIcons.cpp")
target_link_libraries(zol_render_icons PRIVATE Qt6::Gui Qt6::Svg)
zol_warnings(zol_render_icons)

set(iconDir "${PROJECT_BINARY_DIR}/icons")
set(renderedIcons)
foreach(icon IN ITEMS zoltools application-x-zol-qem)
  set(svg "${PROJECT_SOURCE_DIR}/resources/icons/app/${icon}.svg")
  set(pngs)
  foreach(size IN LISTS ZOL_ICON_SIZES)
    list(APPEND pngs "${iconDir}/${size}x${size}/${icon}.png")
  endforeach()
  add_custom_command(OUTPUT ${pngs}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:zol_render_icons> "${svg}" "${iconDir}" ${icon} ${ZOL_ICON_SIZES}
    DEPENDS zol_render_icons "${svg}"
    COMMENT "Rendering ${icon} icons"
    VERBATIM)
  list(APPEND renderedIcons ${pngs})
endforeach()

# Manual pages, compressed as Debian keeps them (-n: no time stamp, so builds repeat exactly).
find_program(GZIP_EXECUTABLE gzip REQUIRED)
set(manPages)
foreach(page IN ITEMS zoltools zolctl zolpanel-sim)
  set(source "${PROJECT_SOURCE_DIR}/resources/man/${page}.1")
  set(packed "${PROJECT_BINARY_DIR}/man/${page}.1.gz")
  add_custom_command(OUTPUT "${packed}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${PROJECT_BINARY_DIR}/man"
    COMMAND sh -c "${GZIP_EXECUTABLE} -9nc \"$1\" > \"$2\"" sh "${source}" "${packed}"
    DEPENDS "${source}"
    COMMENT "Compressing ${page}.1"
    VERBATIM)
  list(APPEND manPages "${packed}")
endforeach()

add_custom_target(zol_desktop_files ALL DEPENDS ${renderedIcons} ${manPages})

install(TARGETS zoltools zolctl zolpanel-sim RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${PROJECT_SOURCE_DIR}/resources/Protocol_Buttons.ini" DESTINATION "${ZOL_DATADIR}")
install(DIRECTORY "${PROJECT_SOURCE_DIR}/resources/help/" DESTINATION "${ZOL_DATADIR}/help"
        FILES_MATCHING PATTERN "*.html")
install(FILES "${PROJECT_SOURCE_DIR}/resources/desktop/zoltools.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${PROJECT_SOURCE_DIR}/resources/desktop/zoltools.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/app/zoltools.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/app/application-x-zol-qem.svg"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes")
foreach(size IN LISTS ZOL_ICON_SIZES)
  install(FILES "${iconDir}/${size}x${size}/zoltools.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps")
  install(FILES "${iconDir}/${size}x${size}/application-x-zol-qem.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/mimetypes")
endforeach()
install(FILES ${manPages} DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
# What software centres show about the program (AppStream), and zolctl's bash completion.
install(FILES "${PROJECT_SOURCE_DIR}/resources/desktop/invalid.brenmoor.zoltools.metainfo.xml"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")
install(FILES "${PROJECT_SOURCE_DIR}/resources/completion/zolctl"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
