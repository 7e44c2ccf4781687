# The version, written once in project() of the root CMakeLists.txt, reaches the programs
# (kVersion, the launcher's "Ver.1.40", through the generated quillon_version.h), the Windows
# version resources (src/win32) and the package and file names (cmake/Packaging.cmake).
configure_file(${PROJECT_SOURCE_DIR}/src/shell/version.h.in
               ${PROJECT_BINARY_DIR}/generated/quillon_version.h @ONLY)
include_directories(${PROJECT_BINARY_DIR}/generated)
