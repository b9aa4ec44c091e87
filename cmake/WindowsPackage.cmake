# The Windows installer and portable zip (packaging/windows/make_package.sh):
#   package-windows          build-windows/package/spectrion-<version>-windows-x64-setup.exe
#                            and ...-portable.zip from spectrion and spectrion-plot
#   package-windows-standin  the same into build-windows/package-standin/ with the test
#                            stand-in in both programs' places, only while those programs
#                            are not part of the Windows build
# With the programs there, the test windows.package.installer (label windows-package)
# builds the package, installs it silently under Wine, checks it and removes it again
# (packaging/windows/check_installer.sh). The targets are made by
# spectrion_windows_package_targets, called deferred at the end of the configuration.

find_program(SPECTRION_MAKENSIS makensis NO_CMAKE_FIND_ROOT_PATH)

function(spectrion_windows_package name outdir main plot)
  add_custom_target(${name}
    COMMAND ${PROJECT_SOURCE_DIR}/packaging/windows/make_package.sh ${PROJECT_SOURCE_DIR}
            ${PROJECT_VERSION} ${outdir}
            spectrion.exe=$<TARGET_FILE:${main}> spectrion-plot.exe=$<TARGET_FILE:${plot}>
    DEPENDS ${main} ${plot}
    COMMENT "Building the Windows installer and portable zip in ${outdir}"
    VERBATIM)
endfunction()

function(spectrion_windows_package_targets)
  if(TARGET spectrion AND TARGET spectrion-plot)
    spectrion_windows_package(package-windows ${CMAKE_BINARY_DIR}/package spectrion spectrion-plot)
    if(SPECTRION_MAKENSIS)
      add_test(NAME windows.package.installer
               COMMAND ${PROJECT_SOURCE_DIR}/packaging/windows/check_installer.sh
                       ${CMAKE_BINARY_DIR} package-windows ${CMAKE_BINARY_DIR}/package
                       ${PROJECT_VERSION})
      # Alone: it builds the package and installs into the shared test prefix.
      set_tests_properties(windows.package.installer PROPERTIES LABELS windows-package
                           TIMEOUT 900 RUN_SERIAL TRUE)
    endif()
  else()
    spectrion_windows_package(package-windows-standin ${CMAKE_BINARY_DIR}/package-standin
                              spectrion-standin spectrion-standin)
  endif()
endfunction()
