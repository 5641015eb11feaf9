# The files an installation into /usr holds, relative to the root (shared by the install
# and the package checks). The virtual scanner's SANE configuration is not among them.
set(expected_files
    etc/quiller/support-contact.ini
    usr/bin/quiller
    usr/share/applications/quiller.desktop
    usr/share/doc/quiller/changelog.gz
    usr/share/doc/quiller/copyright
    usr/share/icons/hicolor/48x48/apps/quiller.png
    usr/share/icons/hicolor/64x64/apps/quiller.png
    usr/share/icons/hicolor/128x128/apps/quiller.png
    usr/share/icons/hicolor/256x256/apps/quiller.png
    usr/share/icons/hicolor/scalable/apps/quiller.svg
    usr/share/man/man1/quiller.1.gz
    usr/share/metainfo/io.github.quiller.quiller.metainfo.xml
    usr/share/quiller/translations/quiller_de.qm
    usr/share/quiller/translations/quiller_es.qm
    usr/share/quiller/translations/quiller_fr.qm
)
list(SORT expected_files)

# Where each data file installed as it is comes from (to compare contents).
set(source_of_usr/share/applications/quiller.desktop packaging/quiller.desktop)
set(source_of_usr/share/doc/quiller/copyright packaging/debian/copyright)
foreach(size 48 64 128 256)
    set(source_of_usr/share/icons/hicolor/${size}x${size}/apps/quiller.png
        packaging/icons/quiller-${size}.png)
endforeach()
set(source_of_usr/share/icons/hicolor/scalable/apps/quiller.svg packaging/quiller.svg)
set(source_of_usr/share/metainfo/io.github.quiller.quiller.metainfo.xml
    packaging/io.github.quiller.quiller.metainfo.xml)
set(source_of_etc/quiller/support-contact.ini packaging/support-contact.ini)
