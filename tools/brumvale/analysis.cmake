# Spectrum analysis and plotting for `brumvale demo`, kept in a library of its own
# so that the tests can link it without the command-line program.
find_package(PkgConfig REQUIRED)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)

add_library(brumvale_analysis STATIC
    ${CMAKE_CURRENT_LIST_DIR}/spectrum.cpp
    ${CMAKE_CURRENT_LIST_DIR}/spectrumplot.cpp)
target_include_directories(brumvale_analysis PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(brumvale_analysis PRIVATE brumvale_flags PkgConfig::CAIRO)
