# Cross builds (Windows, WebAssembly) take the header-only libraries (fast_float, CLI11,
# JSON for Modern C++) from the build machine's packages. The target's compiler must never
# search /usr/include itself, where the build machine's C library lives, so the headers
# and their CMake package files are copied into the build folder, in the same layout, and
# find_package is pointed there.
set(ECD_HEADER_ONLY_PREFIX /usr CACHE PATH "Where the header-only libraries are installed")
set(_ecd_stage ${CMAKE_BINARY_DIR}/header-only)
# package name: its headers: its package files
set(_ecd_packages
  FastFloat:include/fast_float:lib/cmake/FastFloat
  CLI11:include/CLI:share/cmake/CLI11
  nlohmann_json:include/nlohmann:share/cmake/nlohmann_json)
foreach(_ecd_package IN LISTS _ecd_packages)
  string(REPLACE ":" ";" _ecd_entry ${_ecd_package})
  list(GET _ecd_entry 0 _ecd_name)
  list(GET _ecd_entry 1 _ecd_headers)
  list(GET _ecd_entry 2 _ecd_config)
  foreach(_ecd_dir ${_ecd_headers} ${_ecd_config})
    if(NOT IS_DIRECTORY ${ECD_HEADER_ONLY_PREFIX}/${_ecd_dir})
      message(FATAL_ERROR "${ECD_HEADER_ONLY_PREFIX}/${_ecd_dir} is missing "
        "(scripts/install-deps.sh installs it)")
    endif()
    get_filename_component(_ecd_parent ${_ecd_stage}/${_ecd_dir} DIRECTORY)
    file(COPY ${ECD_HEADER_ONLY_PREFIX}/${_ecd_dir} DESTINATION ${_ecd_parent})
  endforeach()
  # The package files find their headers relative to themselves, so in the copy.
  set(${_ecd_name}_DIR ${_ecd_stage}/${_ecd_config} CACHE PATH "" FORCE)
endforeach()
