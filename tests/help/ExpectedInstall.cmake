# The files an installation holds, relative to its prefix (shared by the install and the
# package checks). SOURCE_DIR must be set.
set(expected_files
    bin/quiller
    share/applications/quiller.desktop
    share/icons/hicolor/48x48/apps/quiller.png
    share/icons/hicolor/64x64/apps/quiller.png
    share/icons/hicolor/128x128/apps/quiller.png
    share/icons/hicolor/256x256/apps/quiller.png
    share/icons/hicolor/scalable/apps/quiller.svg
    share/quiller/support-contact.ini
)
file(GLOB_RECURSE sane_files RELATIVE ${SOURCE_DIR}/packaging/sane ${SOURCE_DIR}/packaging/sane/*)
foreach(f IN LISTS sane_files)
    list(APPEND expected_files share/quiller/sane/${f})
endforeach()
list(SORT expected_files)

# Where each installed data file comes from (to compare contents).
set(source_of_share/applications/quiller.desktop packaging/quiller.desktop)
foreach(size 48 64 128 256)
    set(source_of_share/icons/hicolor/${size}x${size}/apps/quiller.png packaging/icons/quiller-${size}.png)
endforeach()
set(source_of_share/icons/hicolor/scalable/apps/quiller.svg packaging/quiller.svg)
set(source_of_share/quiller/support-contact.ini packaging/support-contact.ini)
foreach(f IN LISTS sane_files)
    set(source_of_share/quiller/sane/${f} packaging/sane/${f})
endforeach()
