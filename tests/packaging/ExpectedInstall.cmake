# The files an installation holds, relative to its prefix (shared by the install and the
# package checks). The virtual scanner's SANE configuration is not among them.
set(expected_files
    bin/quiller
    share/applications/quiller.desktop
    share/doc/quiller/changelog.gz
    share/doc/quiller/copyright
    share/icons/hicolor/48x48/apps/quiller.png
    share/icons/hicolor/64x64/apps/quiller.png
    share/icons/hicolor/128x128/apps/quiller.png
    share/icons/hicolor/256x256/apps/quiller.png
    share/icons/hicolor/scalable/apps/quiller.svg
    share/man/man1/quiller.1.gz
    share/metainfo/io.github.quiller.quiller.metainfo.xml
    share/quiller/support-contact.ini
)
list(SORT expected_files)

# Where each data file installed as it is comes from (to compare contents).
set(source_of_share/applications/quiller.desktop packaging/quiller.desktop)
set(source_of_share/doc/quiller/copyright packaging/debian/copyright)
foreach(size 48 64 128 256)
    set(source_of_share/icons/hicolor/${size}x${size}/apps/quiller.png packaging/icons/quiller-${size}.png)
endforeach()
set(source_of_share/icons/hicolor/scalable/apps/quiller.svg packaging/quiller.svg)
set(source_of_share/metainfo/io.github.quiller.quiller.metainfo.xml
    packaging/io.github.quiller.quiller.metainfo.xml)
set(source_of_share/quiller/support-contact.ini packaging/support-contact.ini)
