# quiller_pages: generated grey pages that look like scanned prescriptions, plain or with
# a label barcode, and stacks of them, with the word pools they draw from; for the
# benchmark and the page-label tests. Included once.
include_guard(GLOBAL)
set(QUILLER_PAGES_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Pools.cpp ${CMAKE_CURRENT_LIST_DIR}/GeneratePage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LabelPages.cpp ${CMAKE_CURRENT_LIST_DIR}/LabelPages.h)
add_library(quiller_pages STATIC ${QUILLER_PAGES_SOURCES})
target_include_directories(quiller_pages PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quiller_pages PUBLIC Qt6::Core Qt6::Gui PRIVATE ZXing::ZXing)
