function(spectrion_windows_package_targets)
endfunction()
