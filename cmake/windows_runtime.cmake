# The Windows program's run-time files: Qt's DLLs and plugins and the compiler's
# own DLLs, copied beside the binaries in bin/ so that the program and the
# tests run from there as from the portable folder; the ones the program needs
# are installed with it. Qt loads its plugins from the folders beside the
# program (platforms/, styles/).
execute_process(
  COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE tapwrenz_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(tapwrenz_gcc_dir "${tapwrenz_libstdcxx}" DIRECTORY)
execute_process(
  COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
  OUTPUT_VARIABLE tapwrenz_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(tapwrenz_winpthread "${tapwrenz_winpthread}" REALPATH)

set(tapwrenz_qt "${TAPWRENZ_WINDOWS_QT}")
set(tapwrenz_shipped_dlls
  "${tapwrenz_qt}/bin/Qt6Core.dll"
  "${tapwrenz_qt}/bin/Qt6Gui.dll"
  "${tapwrenz_qt}/bin/Qt6Widgets.dll"
  "${tapwrenz_libstdcxx}"
  "${tapwrenz_gcc_dir}/libgcc_s_seh-1.dll"
  "${tapwrenz_winpthread}")
foreach(dll ${tapwrenz_shipped_dlls} "${tapwrenz_qt}/plugins/platforms/qwindows.dll"
        "${tapwrenz_qt}/plugins/styles/qwindowsvistastyle.dll")
  if(NOT EXISTS "${dll}")
    message(FATAL_ERROR "Windows build: ${dll} is missing")
  endif()
endforeach()

set(tapwrenz_bin "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
file(COPY ${tapwrenz_shipped_dlls} "${tapwrenz_qt}/bin/Qt6Test.dll" DESTINATION "${tapwrenz_bin}")
# The compiler's DLLs come with their debugging symbols (libstdc++ is 23 MB
# with them, 2 MB without); the copies beside the program are stripped, and
# those are the ones installed.
set(tapwrenz_runtime_copies)
foreach(dll "${tapwrenz_libstdcxx}" "${tapwrenz_gcc_dir}/libgcc_s_seh-1.dll" "${tapwrenz_winpthread}")
  get_filename_component(name "${dll}" NAME)
  execute_process(COMMAND "${CMAKE_STRIP}" --strip-unneeded "${tapwrenz_bin}/${name}"
                  RESULT_VARIABLE stripped)
  if(NOT stripped EQUAL 0)
    message(FATAL_ERROR "Windows build: ${CMAKE_STRIP} could not strip ${name}")
  endif()
  list(APPEND tapwrenz_runtime_copies "${tapwrenz_bin}/${name}")
endforeach()
file(COPY "${tapwrenz_qt}/plugins/platforms/qwindows.dll"
          "${tapwrenz_qt}/plugins/platforms/qoffscreen.dll"
     DESTINATION "${tapwrenz_bin}/platforms")
file(COPY "${tapwrenz_qt}/plugins/styles/qwindowsvistastyle.dll"
     DESTINATION "${tapwrenz_bin}/styles")

install(FILES "${tapwrenz_qt}/bin/Qt6Core.dll" "${tapwrenz_qt}/bin/Qt6Gui.dll"
              "${tapwrenz_qt}/bin/Qt6Widgets.dll" ${tapwrenz_runtime_copies}
        DESTINATION .)
install(FILES "${tapwrenz_qt}/plugins/platforms/qwindows.dll" DESTINATION platforms)
install(FILES "${tapwrenz_qt}/plugins/styles/qwindowsvistastyle.dll" DESTINATION styles)
