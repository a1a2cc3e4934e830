# Cross-compiling for Linux on 64-bit ARM with Debian's cross compilers, against the
# arm64 libraries that multiarch installs beside the native ones; what is built runs
# here under qemu-user. GPL-3.0-or-later.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config)
# The test programs, the Turtle writer and the presets' writer run at build and test
# time: qemu-aarch64, with the arm64 loader and libraries found from /.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
