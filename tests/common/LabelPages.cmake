# quiller_labelpages: generated prescription-like pages carrying a label barcode, and
# stacks of them, for the verification tests and the benchmark. Included once.
include_guard(GLOBAL)
add_library(quiller_labelpages STATIC
    ${CMAKE_CURRENT_LIST_DIR}/LabelPages.cpp ${CMAKE_CURRENT_LIST_DIR}/LabelPages.h)
target_include_directories(quiller_labelpages PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quiller_labelpages PUBLIC Qt6::Core Qt6::Gui PRIVATE ZXing::ZXing)
