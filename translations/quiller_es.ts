<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Acquisition</name>
    <message>
        <source>and %1 more</source>
        <translation>y %1 más</translation>
    </message>
    <message>
        <source>%1: %2 (its page is kept as %3)</source>
        <translation>%1: %2 (su página se guarda como %3)</translation>
    </message>
    <message>
        <source>Check the [verify] settings: %1.</source>
        <translation>Revise los ajustes [verify]: %1.</translation>
    </message>
    <message>
        <source>%1 of %2 prescriptions scanned and stored.</source>
        <translation>%1 de %2 recetas escaneadas y guardadas.</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Detenido: %1</translation>
    </message>
    <message>
        <source>Not stored:</source>
        <translation>No guardadas:</translation>
    </message>
    <message>
        <source>Pages kept apart, in the image folder as: %1</source>
        <translation>Páginas apartadas, en la carpeta de imágenes como: %1</translation>
    </message>
    <message>
        <source>Stopped before their page came: %1</source>
        <translation>Detenido antes de llegar su página: %1</translation>
    </message>
    <message>
        <source>Not scanned: %1</source>
        <translation>Sin escanear: %1</translation>
    </message>
    <message>
        <source>%1 extra page(s) belonged to no prescription of this scan and were kept in the image folder as: %2</source>
        <translation>%1 página(s) de más no correspondían a ninguna receta de este escaneo y se guardaron en la carpeta de imágenes como: %2</translation>
    </message>
    <message>
        <source>%1 filed from an earlier batch.</source>
        <translation>%1 archivada desde un lote anterior.</translation>
    </message>
    <message>
        <source>The database server is unavailable: the pages of %1 wait in the staging folder and are filed as soon as it is back.</source>
        <translation>El servidor de base de datos no está disponible: las páginas de %1 esperan en la carpeta de espera y se archivarán en cuanto vuelva.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;quiller --help&apos;.</source>
        <translation>Pruebe «quiller --help».</translation>
    </message>
    <message>
        <source>Quiller: prescription image scanning station for a pharmacy.
Log: $XDG_STATE_HOME/Quiller/quiller.log (~/.local/state/Quiller/quiller.log).
Settings: ~/.config/Quiller/Quiller.conf; station-wide defaults in /etc/xdg/Quiller/Quiller.conf.
Qt&apos;s standard options (-platform, -style, -reverse, -qwindowgeometry, ...) are accepted as well.</source>
        <translation>Quiller: puesto de escaneo de imágenes de recetas para farmacias.
Registro: $XDG_STATE_HOME/Quiller/quiller.log (~/.local/state/Quiller/quiller.log).
Ajustes: ~/.config/Quiller/Quiller.conf; valores predeterminados para todo el puesto en /etc/xdg/Quiller/Quiller.conf.
También se aceptan las opciones estándar de Qt (-platform, -style, -reverse, -qwindowgeometry, ...).</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Muestra esta ayuda y sale.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Muestra la versión y sale.</translation>
    </message>
    <message>
        <source>Use FILE as the settings file instead of the user&apos;s Quiller.conf.</source>
        <translation>Usa FILE como archivo de ajustes en lugar del Quiller.conf del usuario.</translation>
    </message>
    <message>
        <source>Print the audit trail (who accessed which prescription) as CSV and exit.</source>
        <translation>Imprime el registro de auditoría (quién accedió a qué receta) en CSV y sale.</translation>
    </message>
    <message>
        <source>With --audit: from this day (YYYY-MM-DD).</source>
        <translation>Con --audit: desde este día (AAAA-MM-DD).</translation>
    </message>
    <message>
        <source>With --audit: to this day (YYYY-MM-DD).</source>
        <translation>Con --audit: hasta este día (AAAA-MM-DD).</translation>
    </message>
    <message>
        <source>With --audit: only prescription number N.</source>
        <translation>Con --audit: solo la receta número N.</translation>
    </message>
    <message>
        <source>Remove audit rows older than DATE (YYYY-MM-DD) and exit; rows younger than the kept years ([audit] KeepYears, 7) are never removed.</source>
        <translation>Elimina las filas de auditoría anteriores a DATE (AAAA-MM-DD) y sale; las filas más recientes que los años conservados ([audit] KeepYears, 7) nunca se eliminan.</translation>
    </message>
    <message>
        <source>Restore the deleted prescription RX-REFILL (e.g. 123-01) and its image and exit.</source>
        <translation>Restaura la receta eliminada RX-REFILL (p. ej. 123-01) y su imagen, y sale.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argumento inesperado «%1»</translation>
    </message>
    <message>
        <source>Usage: quiller [options]</source>
        <translation>Uso: quiller [opciones]</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date (YYYY-MM-DD)</source>
        <translation>«%1» no es una fecha (AAAA-MM-DD)</translation>
    </message>
    <message>
        <source>Copy this station&apos;s records (the database file in its image folder) into the PostgreSQL database CONNECTION (postgresql://user@host:port/name, or keyword=value pairs such as service=pharmacy) and exit. Safe to run again; the file is not changed.</source>
        <translation>Copia los registros de este puesto (el archivo de base de datos de su carpeta de imágenes) en la base de datos PostgreSQL CONNECTION (postgresql://usuario@servidor:puerto/nombre, o pares clave=valor como service=pharmacy) y sale. Se puede repetir sin riesgo; el archivo no se modifica.</translation>
    </message>
</context>
<context>
    <name>DataFolder</name>
    <message>
        <source>Cannot list %1</source>
        <translation>No se puede listar %1</translation>
    </message>
    <message>
        <source>Cannot open the data file %1</source>
        <translation>No se puede abrir el archivo de datos %1</translation>
    </message>
    <message>
        <source>Cannot read the data file %1: %2</source>
        <translation>No se puede leer el archivo de datos %1: %2</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Ruta no encontrada: %1</translation>
    </message>
</context>
<context>
    <name>DataPrivacy</name>
    <message>
        <source>The station identifier &quot;%1&quot; in the settings cannot be used: it must be one letter or digit, the first character of the data files addressed to this station. Choose it in the configuration.</source>
        <translation>El identificador de puesto «%1» de los ajustes no se puede usar: debe ser una sola letra o cifra, el primer carácter de los archivos de datos dirigidos a este puesto. Elíjalo en la configuración.</translation>
    </message>
    <message>
        <source>Prescription images and records can be read by every account of this computer:
%1

To keep them to this account, run:
  chmod -R go-rwx %2
To share them with an operators&apos; group instead, run:
  chgrp -R operators %2
  chmod -R g+rwX,o-rwx %2
  find %2 -type d -exec chmod g+s {} +</source>
        <translation>Las imágenes y los registros de recetas pueden ser leídos por todas las cuentas de este equipo:
%1

Para reservarlos a esta cuenta, ejecute:
  chmod -R go-rwx %2
Para compartirlos en su lugar con un grupo de operadores, ejecute:
  chgrp -R operators %2
  chmod -R g+rwX,o-rwx %2
  find %2 -type d -exec chmod g+s {} +</translation>
    </message>
</context>
<context>
    <name>Database</name>
    <message>
        <source>SQLite file %1</source>
        <translation>Archivo SQLite %1</translation>
    </message>
    <message>
        <source>Database server unavailable, retrying</source>
        <translation>Servidor de base de datos no disponible; reintentando</translation>
    </message>
    <message>
        <source>The database %1 is damaged: %2. Its backups are in the folder Backups beside it.</source>
        <translation>La base de datos %1 está dañada: %2. Sus copias de seguridad están en la carpeta Backups, junto a ella.</translation>
    </message>
    <message>
        <source>The fill date is not a valid date.</source>
        <translation>La fecha de dispensación no es una fecha válida.</translation>
    </message>
</context>
<context>
    <name>DatabaseCare</name>
    <message>
        <source>no copy of it could be made: the folder %1 cannot be created</source>
        <translation>no se pudo hacer una copia: no se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>no copy of it could be made in %1 (%2)</source>
        <translation>no se pudo hacer una copia en %1 (%2)</translation>
    </message>
    <message>
        <source>no copy of it could be made as %1</source>
        <translation>no se pudo hacer una copia como %1</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (schema %1; this version knows %2)</source>
        <translation>fue creada por una versión más reciente del programa (esquema %1; esta versión conoce el %2)</translation>
    </message>
    <message>
        <source>The database on the server</source>
        <translation>La base de datos del servidor</translation>
    </message>
    <message>
        <source>The database %1</source>
        <translation>La base de datos %1</translation>
    </message>
    <message>
        <source>%1 cannot be brought up to date for this version of the program (schema %2 to %3): %4</source>
        <translation>%1 no se puede actualizar para esta versión del programa (esquema %2 a %3): %4</translation>
    </message>
    <message>
        <source>
It was not changed; a copy of it as it was is kept as %1.</source>
        <translation>
No se ha modificado; se conserva una copia de su estado anterior como %1.</translation>
    </message>
    <message>
        <source>
It was not changed.</source>
        <translation>
No se ha modificado.</translation>
    </message>
    <message>
        <source>The database is damaged (%1); no backup was made, the older backups are kept.</source>
        <translation>La base de datos está dañada (%1); no se hizo ninguna copia de seguridad y se conservan las anteriores.</translation>
    </message>
    <message>
        <source>Cannot write the backup %1: %2</source>
        <translation>No se puede escribir la copia de seguridad %1: %2</translation>
    </message>
    <message>
        <source>Cannot write the backup %1</source>
        <translation>No se puede escribir la copia de seguridad %1</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>no es un archivo</translation>
    </message>
    <message>
        <source>the file is empty (0 bytes)</source>
        <translation>el archivo está vacío (0 bytes)</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>no se puede leer el archivo (%1)</translation>
    </message>
    <message>
        <source>the file is not a database</source>
        <translation>el archivo no es una base de datos</translation>
    </message>
    <message>
        <source>it fails its check: </source>
        <translation>no supera su comprobación: </translation>
    </message>
    <message>
        <source>Cannot keep the damaged database %1 aside as %2</source>
        <translation>No se puede apartar la base de datos dañada %1 como %2</translation>
    </message>
    <message>
        <source>Another database appeared at %1 meanwhile; the backup was not put in its place</source>
        <translation>Mientras tanto apareció otra base de datos en %1; la copia de seguridad no se puso en su lugar</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>No se puede crear %1: %2</translation>
    </message>
    <message>
        <source>Cannot create %1</source>
        <translation>No se puede crear %1</translation>
    </message>
</context>
<context>
    <name>DatabaseCopy</name>
    <message>
        <source>There is no database file %1.</source>
        <translation>No existe el archivo de base de datos %1.</translation>
    </message>
    <message>
        <source>The copy goes to an open server.</source>
        <translation>La copia debe ir a un servidor abierto.</translation>
    </message>
    <message>
        <source>The copy does not add up (%1 of %2 prescriptions found on the server; %3 rows before, %4 added, %5 after).</source>
        <translation>La copia no cuadra (%1 de %2 recetas encontradas en el servidor; %3 filas antes, %4 añadidas, %5 después).</translation>
    </message>
    <message>
        <source>Nothing was copied: %1</source>
        <translation>No se copió nada: %1</translation>
    </message>
</context>
<context>
    <name>DatabaseServer</name>
    <message>
        <source>The port &quot;%1&quot; is not a port number.</source>
        <translation>El puerto «%1» no es un número de puerto.</translation>
    </message>
    <message>
        <source>The sslmode &quot;%1&quot; is not one of %2.</source>
        <translation>El sslmode «%1» no es ninguno de %2.</translation>
    </message>
    <message>
        <source>The connection option %1 cannot hold a &apos;;&apos;.</source>
        <translation>La opción de conexión %1 no puede contener un &apos;;&apos;.</translation>
    </message>
    <message>
        <source>libpq cannot read it (out of memory)</source>
        <translation>libpq no puede leerla (memoria agotada)</translation>
    </message>
    <message>
        <source>The database connection is refused: %1.</source>
        <translation>Se rechaza la conexión a la base de datos: %1.</translation>
    </message>
    <message>
        <source>PostgreSQL database</source>
        <translation>base de datos PostgreSQL</translation>
    </message>
    <message>
        <source>PostgreSQL database %1</source>
        <translation>base de datos PostgreSQL %1</translation>
    </message>
    <message>
        <source>%1 (service %2)</source>
        <translation>%1 (servicio %2)</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 en %2</translation>
    </message>
    <message>
        <source>%1 as %2</source>
        <translation>%1 como %2</translation>
    </message>
    <message>
        <source>No database connection was given.</source>
        <translation>No se indicó ninguna conexión a base de datos.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a database connection: give a URI (postgresql://user@host:port/database) or keyword=value pairs (service=pharmacy).</source>
        <translation>«%1» no es una conexión a base de datos: indique un URI (postgresql://user@host:port/database) o pares palabra_clave=valor (service=pharmacy).</translation>
    </message>
    <message>
        <source>The settings hold the database %1: keep it in ~/.pgpass or a service file instead.</source>
        <translation>Los ajustes contienen el %1 de la base de datos: guárdelo en ~/.pgpass o en un archivo de servicio.</translation>
    </message>
    <message>
        <source>The database setting &quot;%1&quot; is not known.</source>
        <translation>El ajuste de base de datos «%1» no es conocido.</translation>
    </message>
    <message>
        <source>The PostgreSQL driver of Qt (QPSQL) is not installed: install the package libqt6sql6-psql.</source>
        <translation>El controlador PostgreSQL de Qt (QPSQL) no está instalado: instale el paquete libqt6sql6-psql.</translation>
    </message>
    <message>
        <source>The setting sslmode &quot;%1&quot; is not one of %2.</source>
        <translation>El ajuste sslmode «%1» no es ninguno de %2.</translation>
    </message>
    <message>
        <source>The %1 refused the station: %2%3</source>
        <translation>La %1 rechazó el puesto: %2%3</translation>
    </message>
    <message>
        <source>The setting sslmode is refused: %1</source>
        <translation>Se rechaza el ajuste sslmode: %1</translation>
    </message>
    <message>
        <source>The %1 cannot be reached: %2</source>
        <translation>No se puede acceder a la %1: %2</translation>
    </message>
    <message>
        <source>The password file %1 is ignored because others may read it: make it readable by its owner only (chmod 600 %1).</source>
        <translation>Se ignora el archivo de contraseñas %1 porque otros pueden leerlo: haga que solo lo pueda leer su propietario (chmod 600 %1).</translation>
    </message>
</context>
<context>
    <name>DatabaseSettings</name>
    <message>
        <source>The database driver &quot;%1&quot; in the settings is not known; use sqlite or postgresql.</source>
        <translation>El controlador de base de datos «%1» de los ajustes no es conocido; use sqlite o postgresql.</translation>
    </message>
    <message>
        <source>The settings hold a database password ([database] password), which the station never reads there. Remove it and put it in ~/.pgpass (mode 0600).</source>
        <translation>Los ajustes contienen una contraseña de base de datos ([database] password), que el puesto nunca lee ahí. Quítela y póngala en ~/.pgpass (modo 0600).</translation>
    </message>
    <message>
        <source>The database port &quot;%1&quot; in the settings is not a port number.</source>
        <translation>El puerto de base de datos «%1» de los ajustes no es un número de puerto.</translation>
    </message>
</context>
<context>
    <name>DeletedPrescriptions</name>
    <message>
        <source>Prescription %1-%2 is recorded again since it was deleted; the deleted record is kept as it is.</source>
        <translation>La receta %1-%2 se ha vuelto a registrar desde que se eliminó; el registro eliminado se conserva tal como está.</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Error Number:</source>
        <translation>Número de error:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Descripción:</translation>
    </message>
    <message>
        <source>Error Source:</source>
        <translation>Origen del error:</translation>
    </message>
    <message>
        <source>Last DLL Error:</source>
        <translation>Último error del sistema:</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>File not found: %1</source>
        <translation>Archivo no encontrado: %1</translation>
    </message>
    <message>
        <source>Cannot copy %1 to %2</source>
        <translation>No se puede copiar %1 en %2</translation>
    </message>
    <message>
        <source>Cannot delete %1: %2</source>
        <translation>No se puede eliminar %1: %2</translation>
    </message>
    <message>
        <source>Cannot reach %1: %2</source>
        <translation>No se puede acceder a %1: %2</translation>
    </message>
    <message>
        <source>Cannot give %1 to the folder&apos;s group: %2</source>
        <translation>No se puede asignar %1 al grupo de la carpeta: %2</translation>
    </message>
    <message>
        <source>Cannot set the permissions of %1: %2</source>
        <translation>No se pueden establecer los permisos de %1: %2</translation>
    </message>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation>No se puede crear la carpeta %1: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation>No se puede abrir la carpeta %1: %2</translation>
    </message>
</context>
<context>
    <name>FillList</name>
    <message>
        <source>The database is not open.</source>
        <translation>La base de datos no está abierta.</translation>
    </message>
</context>
<context>
    <name>GetDirectory</name>
    <message>
        <source>Select a directory, then click OK</source>
        <translation>Seleccione una carpeta y pulse Aceptar</translation>
    </message>
</context>
<context>
    <name>ImageStore</name>
    <message>
        <source>the image folder %1 is missing</source>
        <translation>falta la carpeta de imágenes %1</translation>
    </message>
    <message>
        <source>the page could not be named in %1</source>
        <translation>no se pudo dar nombre a la página en %1</translation>
    </message>
    <message>
        <source>the page could not be kept either: %1</source>
        <translation>tampoco se pudo conservar la página: %1</translation>
    </message>
    <message>
        <source>its image name would leave the image folder</source>
        <translation>el nombre de su imagen saldría de la carpeta de imágenes</translation>
    </message>
    <message>
        <source>the database is not open</source>
        <translation>la base de datos no está abierta</translation>
    </message>
    <message>
        <source>its image name is taken by something that is not an image file</source>
        <translation>el nombre de su imagen lo ocupa algo que no es un archivo de imagen</translation>
    </message>
    <message>
        <source>the scanned page is missing from the staging folder</source>
        <translation>falta la página escaneada en la carpeta de espera</translation>
    </message>
    <message>
        <source>the image it replaces could not be moved to %1</source>
        <translation>no se pudo mover a %1 la imagen que sustituye</translation>
    </message>
    <message>
        <source>the page could not be given its name %1</source>
        <translation>no se pudo dar a la página su nombre %1</translation>
    </message>
    <message>
        <source>its prescription is no longer recorded</source>
        <translation>su receta ya no está registrada</translation>
    </message>
    <message>
        <source>its row could not be updated: %1</source>
        <translation>no se pudo actualizar su fila: %1</translation>
    </message>
</context>
<context>
    <name>LabelPattern</name>
    <message>
        <source>the label pattern is empty</source>
        <translation>el patrón de etiqueta está vacío</translation>
    </message>
    <message>
        <source>the label pattern &quot;%1&quot; is not a valid regular expression: %2 at position %3</source>
        <translation>el patrón de etiqueta «%1» no es una expresión regular válida: %2 en la posición %3</translation>
    </message>
    <message>
        <source>the label pattern &quot;%1&quot; has no group named rx (write (?&lt;rx&gt;...) around the Rx number)</source>
        <translation>el patrón de etiqueta «%1» no tiene ningún grupo llamado rx (escriba (?&lt;rx&gt;...) alrededor del número de receta)</translation>
    </message>
</context>
<context>
    <name>LockFile</name>
    <message>
        <source>Cannot write the lock file %1: %2</source>
        <translation>No se puede escribir el archivo de bloqueo %1: %2</translation>
    </message>
</context>
<context>
    <name>PageChecks</name>
    <message>
        <source>verified</source>
        <translation>verificada</translation>
    </message>
    <message>
        <source>by position</source>
        <translation>por posición</translation>
    </message>
    <message>
        <source>by operator</source>
        <translation>por el operador</translation>
    </message>
</context>
<context>
    <name>PageFiling</name>
    <message>
        <source>duplicate: </source>
        <translation>duplicada: </translation>
    </message>
    <message>
        <source>label of another prescription: </source>
        <translation>etiqueta de otra receta: </translation>
    </message>
    <message>
        <source>two labels: </source>
        <translation>dos etiquetas: </translation>
    </message>
    <message>
        <source>several labels: </source>
        <translation>varias etiquetas: </translation>
    </message>
    <message>
        <source>label without its refill: </source>
        <translation>etiqueta sin su número de dispensación: </translation>
    </message>
    <message>
        <source>no label</source>
        <translation>sin etiqueta</translation>
    </message>
    <message>
        <source>label </source>
        <translation>etiqueta </translation>
    </message>
    <message>
        <source>labels </source>
        <translation>etiquetas </translation>
    </message>
    <message>
        <source>labels of other prescriptions: </source>
        <translation>etiquetas de otras recetas: </translation>
    </message>
    <message>
        <source>%1 without label</source>
        <translation>%1 sin etiqueta</translation>
    </message>
    <message>
        <source>page</source>
        <translation>página</translation>
    </message>
    <message>
        <source>pages</source>
        <translation>páginas</translation>
    </message>
    <message>
        <source>verified by its label</source>
        <translation>verificada por su etiqueta</translation>
    </message>
    <message>
        <source>verified by their label</source>
        <translation>verificadas por su etiqueta</translation>
    </message>
    <message>
        <source>filed by position</source>
        <translation>archivadas por posición</translation>
    </message>
    <message>
        <source>kept as unmatched</source>
        <translation>guardadas como no asignadas</translation>
    </message>
    <message>
        <source>kept apart as a duplicate</source>
        <translation>apartada como duplicado</translation>
    </message>
    <message>
        <source>kept apart as duplicates</source>
        <translation>apartadas como duplicados</translation>
    </message>
    <message>
        <source>no pages</source>
        <translation>ninguna página</translation>
    </message>
    <message>
        <source>no page for </source>
        <translation>sin página para </translation>
    </message>
</context>
<context>
    <name>PageStaging</name>
    <message>
        <source>The image folder %1 is missing</source>
        <translation>Falta la carpeta de imágenes %1</translation>
    </message>
    <message>
        <source>Cannot make the staging folder %1</source>
        <translation>No se puede crear la carpeta de espera %1</translation>
    </message>
    <message>
        <source>The staging folder %1 is in use by another run of this station.</source>
        <translation>La carpeta de espera %1 la está usando otra ejecución de este puesto.</translation>
    </message>
    <message>
        <source>Cannot write the staging journal %1</source>
        <translation>No se puede escribir el diario de espera %1</translation>
    </message>
    <message>
        <source>The staging folder is not open.</source>
        <translation>La carpeta de espera no está abierta.</translation>
    </message>
    <message>
        <source>Cannot write the staging journal in %1</source>
        <translation>No se puede escribir el diario de espera en %1</translation>
    </message>
    <message>
        <source>A scanned page could not be kept on disk: %1</source>
        <translation>Una página escaneada no se pudo guardar en el disco: %1</translation>
    </message>
</context>
<context>
    <name>PatientRecords</name>
    <message>
        <source>The database is not open.</source>
        <translation>La base de datos no está abierta.</translation>
    </message>
    <message>
        <source>Cannot move %1 to %2: the name is taken</source>
        <translation>No se puede mover %1 a %2: el nombre ya está en uso</translation>
    </message>
    <message>
        <source>Cannot move %1 to %2: %3</source>
        <translation>No se puede mover %1 a %2: %3</translation>
    </message>
    <message>
        <source>Prescription %1-%2 is no longer recorded.</source>
        <translation>La receta %1-%2 ya no está registrada.</translation>
    </message>
    <message>
        <source>No deleted prescription %1 is kept.</source>
        <translation>No se conserva ninguna receta eliminada %1.</translation>
    </message>
    <message>
        <source>The deleted record of %1 names an image outside the image folder; it is left as it is.</source>
        <translation>El registro eliminado de %1 nombra una imagen fuera de la carpeta de imágenes; se deja como está.</translation>
    </message>
    <message>
        <source>Restored prescription %1 (deleted %2 on station %3 by %4).</source>
        <translation>Receta %1 restaurada (eliminada el %2 en el puesto %3 por %4).</translation>
    </message>
    <message>
        <source>Restored prescription %1 (deleted %2 on station %3 by %4) with its image %5.</source>
        <translation>Receta %1 restaurada (eliminada el %2 en el puesto %3 por %4) con su imagen %5.</translation>
    </message>
    <message>
        <source>The station has no image folder in its settings.</source>
        <translation>El puesto no tiene carpeta de imágenes en sus ajustes.</translation>
    </message>
    <message>
        <source>There is no database %1.</source>
        <translation>No existe la base de datos %1.</translation>
    </message>
    <message>
        <source>Audit rows are kept for %1 years: only rows older than %2 may be removed.</source>
        <translation>Las filas de auditoría se conservan %1 años: solo pueden eliminarse las anteriores a %2.</translation>
    </message>
    <message>
        <source>Removed %1 audit rows older than %2.
</source>
        <translation>Se eliminaron %1 filas de auditoría anteriores a %2.
</translation>
    </message>
</context>
<context>
    <name>PollingTick</name>
    <message>
        <source>Cannot rename the data file %1 to %2</source>
        <translation>No se puede cambiar el nombre del archivo de datos %1 a %2</translation>
    </message>
    <message>
        <source>The database is not open.</source>
        <translation>La base de datos no está abierta.</translation>
    </message>
    <message>
        <source>The database %1 is missing</source>
        <translation>Falta la base de datos %1</translation>
    </message>
    <message>
        <source>The database failed.</source>
        <translation>La base de datos ha fallado.</translation>
    </message>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 línea %2: %3</translation>
    </message>
    <message>
        <source>the field %1 holds characters an image file name cannot have</source>
        <translation>el campo %1 contiene caracteres que no puede llevar un nombre de archivo de imagen</translation>
    </message>
    <message>
        <source>Rx number</source>
        <translation>Número de receta</translation>
    </message>
    <message>
        <source>Refill number</source>
        <translation>Número de dispensación</translation>
    </message>
    <message>
        <source>the field Fill date is not a date</source>
        <translation>el campo Fecha de dispensación no es una fecha</translation>
    </message>
    <message>
        <source>the database refused the row</source>
        <translation>la base de datos rechazó la fila</translation>
    </message>
    <message>
        <source>the database refused the row (%1)</source>
        <translation>la base de datos rechazó la fila (%1)</translation>
    </message>
    <message>
        <source>The data file %1: %2 line(s) taken, %3 refused.</source>
        <translation>El archivo de datos %1: %2 línea(s) aceptada(s), %3 rechazada(s).</translation>
    </message>
    <message>
        <source>None of its prescriptions is listed for scanning.</source>
        <translation>Ninguna de sus recetas figura en la lista para escanear.</translation>
    </message>
    <message>
        <source>The refused prescriptions stay listed, marked &quot;not recorded&quot;; their pages are kept in the image folder&apos;s Unmatched folder.</source>
        <translation>Las recetas rechazadas siguen en la lista, marcadas como «no registrada»; sus páginas se guardan en la carpeta Unmatched de la carpeta de imágenes.</translation>
    </message>
    <message>
        <source>The file is kept as %1 in %2.</source>
        <translation>El archivo se conserva como %1 en %2.</translation>
    </message>
    <message>
        <source>Open and read data files</source>
        <translation>Abriendo y leyendo archivos de datos</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>En espera</translation>
    </message>
    <message>
        <source>. Click Restart from Tools menu to start again.</source>
        <translation>. Pulse Reiniciar en el menú Herramientas para volver a empezar.</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>Page Setup</source>
        <translation>Configurar página</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimir</translation>
    </message>
</context>
<context>
    <name>PrintedCopy</name>
    <message>
        <source>Rx %1</source>
        <translation>Receta %1</translation>
    </message>
    <message>
        <source>Rx-refill: %1</source>
        <translation>Receta-renovación: %1</translation>
    </message>
    <message>
        <source>Patient: %1</source>
        <translation>Paciente: %1</translation>
    </message>
    <message>
        <source>Drug: %1</source>
        <translation>Medicamento: %1</translation>
    </message>
    <message>
        <source>Fill date: %1</source>
        <translation>Fecha de dispensación: %1</translation>
    </message>
    <message>
        <source>Station: %1</source>
        <translation>Puesto: %1</translation>
    </message>
    <message>
        <source>Printed: %1</source>
        <translation>Impreso: %1</translation>
    </message>
    <message>
        <source>Copy of a stored prescription image</source>
        <translation>Copia de una imagen de receta archivada</translation>
    </message>
    <message>
        <source>No printer is set up on this workstation.</source>
        <translation>No hay ninguna impresora configurada en este equipo.</translation>
    </message>
    <message>
        <source>There is no image to print.</source>
        <translation>No hay ninguna imagen que imprimir.</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>No se pudo iniciar la impresora.</translation>
    </message>
    <message>
        <source>The page could not be sent to the printer.</source>
        <translation>No se pudo enviar la página a la impresora.</translation>
    </message>
</context>
<context>
    <name>SaneScan</name>
    <message>
        <source>The scanner %1 could not be opened. %2</source>
        <translation>No se pudo abrir el escáner %1. %2</translation>
    </message>
    <message>
        <source>The scanner stopped: two sheets were pulled in at once, or the paper jammed. The pages scanned so far are kept. Take the sheets out of the scanner, put the ones not scanned back into the feeder and scan the rest.</source>
        <translation>El escáner se ha detenido: entraron dos hojas a la vez o se atascó el papel. Las páginas escaneadas hasta ahora se conservan. Saque las hojas del escáner, vuelva a poner en el alimentador las que no se escanearon y escanee el resto.</translation>
    </message>
    <message>
        <source>The scanner delivered an image in a form the station cannot read.</source>
        <translation>El escáner entregó una imagen en un formato que el puesto no puede leer.</translation>
    </message>
</context>
<context>
    <name>SaneScanner</name>
    <message>
        <source>while listing the scanners</source>
        <translation>al buscar los escáneres</translation>
    </message>
    <message>
        <source>while connecting</source>
        <translation>al conectar</translation>
    </message>
    <message>
        <source>while disconnecting</source>
        <translation>al desconectar</translation>
    </message>
    <message>
        <source>while sending a page</source>
        <translation>al enviar una página</translation>
    </message>
    <message>
        <source>when asked to feed the next page</source>
        <translation>al pedirle que tomara la página siguiente</translation>
    </message>
</context>
<context>
    <name>SaneSession</name>
    <message>
        <source>The document feeder is jammed. Clear the jam and scan again.</source>
        <translation>El alimentador de documentos está atascado. Retire el atasco y vuelva a escanear.</translation>
    </message>
    <message>
        <source>There is no document in the scanner. Put the prescription on the scanner and scan again.</source>
        <translation>No hay ningún documento en el escáner. Coloque la receta en el escáner y vuelva a escanear.</translation>
    </message>
    <message>
        <source>The scanner cover is open. Close it and scan again.</source>
        <translation>La tapa del escáner está abierta. Ciérrela y vuelva a escanear.</translation>
    </message>
    <message>
        <source>The scanner could not be reached. Check that it is switched on and connected, then scan again.</source>
        <translation>No se pudo comunicar con el escáner. Compruebe que está encendido y conectado y vuelva a escanear.</translation>
    </message>
    <message>
        <source>The scanner is busy. Wait a moment and scan again.</source>
        <translation>El escáner está ocupado. Espere un momento y vuelva a escanear.</translation>
    </message>
    <message>
        <source>The scanner ran out of memory. Scan again; if it happens again, switch the scanner off and on.</source>
        <translation>El escáner se quedó sin memoria. Vuelva a escanear; si vuelve a ocurrir, apague y encienda el escáner.</translation>
    </message>
    <message>
        <source>The scanner did not accept the scan. Check that it is switched on and connected, and the scanner under Tools, Configuration.</source>
        <translation>El escáner no aceptó el escaneo. Compruebe que está encendido y conectado, y el escáner elegido en Herramientas, Configuración.</translation>
    </message>
    <message>
        <source>The station is not allowed to use the scanner.</source>
        <translation>El puesto no tiene permiso para usar el escáner.</translation>
    </message>
    <message>
        <source>The scanner does not support this kind of scan.</source>
        <translation>El escáner no admite este tipo de escaneo.</translation>
    </message>
    <message>
        <source>The scan was cancelled.</source>
        <translation>Se canceló el escaneo.</translation>
    </message>
    <message>
        <source>The scanner is warming up. Wait a moment and scan again.</source>
        <translation>El escáner se está calentando. Espere un momento y vuelva a escanear.</translation>
    </message>
    <message>
        <source>The scanner is locked for transport. Unlock it and scan again.</source>
        <translation>El escáner está bloqueado para el transporte. Desbloquéelo y vuelva a escanear.</translation>
    </message>
    <message>
        <source>The scanner reported an error: %1.</source>
        <translation>El escáner informó de un error: %1.</translation>
    </message>
</context>
<context>
    <name>SearchResultModel</name>
    <message>
        <source>The search was written for another database engine.</source>
        <translation>La búsqueda se escribió para otro motor de base de datos.</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>The setting %1 cannot hold a line break</source>
        <translation>El ajuste %1 no puede contener un salto de línea</translation>
    </message>
    <message>
        <source>The setting %1 could not be written to %2</source>
        <translation>No se pudo escribir el ajuste %1 en %2</translation>
    </message>
</context>
<context>
    <name>StagingRecovery</name>
    <message>
        <source>the station stopped before this page was filed</source>
        <translation>el puesto se detuvo antes de archivar esta página</translation>
    </message>
    <message>
        <source>a page beyond the prescriptions of its batch</source>
        <translation>una página de más respecto a las recetas de su lote</translation>
    </message>
    <message>
        <source>a second page labelled %1</source>
        <translation>una segunda página con la etiqueta %1</translation>
    </message>
    <message>
        <source>its label names no prescription of its batch</source>
        <translation>su etiqueta no nombra ninguna receta de su lote</translation>
    </message>
    <message>
        <source>not recorded (%1)</source>
        <translation>no registrada (%1)</translation>
    </message>
    <message>
        <source>The station finished what its last run left unfinished:</source>
        <translation>El puesto terminó lo que su última ejecución dejó pendiente:</translation>
    </message>
    <message>
        <source>%1 page(s) filed under their prescription.</source>
        <translation>%1 página(s) archivada(s) con su receta.</translation>
    </message>
    <message>
        <source>%1 stored image(s) recorded in their prescription&apos;s row.</source>
        <translation>%1 imagen(es) guardada(s) anotada(s) en la fila de su receta.</translation>
    </message>
    <message>
        <source>%1 page(s) kept in the image folder:</source>
        <translation>%1 página(s) guardada(s) en la carpeta de imágenes:</translation>
    </message>
    <message>
        <source>%1 page(s) could not be filed and stay in the staging folder:</source>
        <translation>Páginas que no se pudieron archivar (%1); quedan en la carpeta de espera:</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The configuration must be done before using this program. Configure it now?</source>
        <translation>Hay que completar la configuración antes de usar este programa. ¿Configurarlo ahora?</translation>
    </message>
    <message>
        <source>The database %1 lies on a network file system (%2). Records can be lost there when two programs use it; keep the image folder on a local disk.</source>
        <translation>La base de datos %1 está en un sistema de archivos de red (%2). Allí pueden perderse registros cuando dos programas la usan; mantenga la carpeta de imágenes en un disco local.</translation>
    </message>
    <message>
        <source>The database %1 is damaged and the station cannot use it (%2).

There is no good backup of it in the folder Backups beside it; ask your administrator for help.</source>
        <translation>La base de datos %1 está dañada y el puesto no puede usarla (%2).

No hay ninguna copia de seguridad válida en la carpeta Backups junto a ella; pida ayuda a su administrador.</translation>
    </message>
    <message>
        <source>The database %1 is damaged and the station cannot use it (%2).

The newest good backup in the folder Backups is %3 (%4). Restore it now? The damaged file is kept beside it as %5.damaged-&lt;date and time&gt;; prescriptions recorded after the backup must be taken again.

No closes the program.</source>
        <translation>La base de datos %1 está dañada y el puesto no puede usarla (%2).

La copia de seguridad válida más reciente de la carpeta Backups es %3 (%4). ¿Restaurarla ahora? El archivo dañado se conserva junto a ella como %5.damaged-&lt;fecha y hora&gt;; las recetas registradas después de la copia deberán recibirse de nuevo.

No cierra el programa.</translation>
    </message>
    <message>
        <source>The database server refused the station:

%1

Check the user name, the database name and the password (in ~/.pgpass or a service file) with your administrator; trying again will not help.</source>
        <translation>El servidor de base de datos rechazó el puesto:

%1

Compruebe con su administrador el nombre de usuario, el nombre de la base de datos y la contraseña (en ~/.pgpass o en un archivo de servicio); volver a intentarlo no servirá.</translation>
    </message>
    <message>
        <source>The connection with database cannot be established.

%1</source>
        <translation>No se puede establecer la conexión con la base de datos.

%1</translation>
    </message>
</context>
<context>
    <name>StationDatabase</name>
    <message>
        <source>SQLite file %1</source>
        <translation>Archivo SQLite %1</translation>
    </message>
    <message>
        <source>The station has no image folder in its settings.</source>
        <translation>El puesto no tiene carpeta de imágenes en sus ajustes.</translation>
    </message>
    <message>
        <source>The station cannot reach its database server.

%1

Check the network and that the server is running, then choose Yes to try again, or No to close the program.</source>
        <translation>El puesto no puede comunicarse con su servidor de base de datos.

%1

Compruebe la red y que el servidor esté en marcha; después elija Sí para volver a intentarlo o No para cerrar el programa.</translation>
    </message>
    <message>
        <source>The daily backup of the database could not be made:
%1

The station goes on working; ask your administrator to look at the folder %2.</source>
        <translation>No se pudo hacer la copia de seguridad diaria de la base de datos:
%1

El puesto sigue funcionando; pida a su administrador que revise la carpeta %2.</translation>
    </message>
</context>
<context>
    <name>StationWiring</name>
    <message>
        <source>Pages left by the last run could not be looked at: %1</source>
        <translation>No se pudieron revisar las páginas que dejó la última ejecución: %1</translation>
    </message>
</context>
<context>
    <name>SystemInfoTool</name>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>La información del sistema no está disponible en este momento</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Tellan Marrowby that scans and views prescriptions</source>
        <translation>Tellan Marrowby, que escanea y muestra recetas</translation>
    </message>
</context>
<context>
    <name>VerifySettings</name>
    <message>
        <source>the label check mode &quot;%1&quot; is not off, check or require; check is used</source>
        <translation>el modo de comprobación de etiquetas «%1» no es off, check ni require; se usa check</translation>
    </message>
    <message>
        <source>the label pattern is not usable (%1); the standard pattern is used</source>
        <translation>el patrón de etiqueta no se puede usar (%1); se usa el patrón estándar</translation>
    </message>
</context>
<context>
    <name>quiller::AcquisitionController</name>
    <message>
        <source>No prescription is in the list.</source>
        <translation>No hay ninguna receta en la lista.</translation>
    </message>
    <message>
        <source>Select a prescription from the list to scan.</source>
        <translation>Seleccione en la lista una receta para escanear.</translation>
    </message>
    <message>
        <source>A scan is in progress. Wait until it has finished, then scan again.</source>
        <translation>Hay un escaneo en curso. Espere a que termine y vuelva a escanear.</translation>
    </message>
    <message>
        <source>Rescan prescription %1?</source>
        <translation>¿Volver a escanear la receta %1?</translation>
    </message>
    <message>
        <source>Put the prescription on the scanner.  Then press Ok button.</source>
        <translation>Coloque la receta en el escáner.  Después pulse el botón Aceptar.</translation>
    </message>
    <message>
        <source>A scan is in progress. Wait until it has finished, then scan the rest.</source>
        <translation>Hay un escaneo en curso. Espere a que termine y escanee el resto.</translation>
    </message>
    <message>
        <source>Scan the rest works on the prescriptions to be scanned. Leave the viewing list first.</source>
        <translation>Escanear el resto trabaja con las recetas por escanear. Salga primero de la lista de consulta.</translation>
    </message>
    <message>
        <source>Every prescription of the last batch has been scanned.</source>
        <translation>Se han escaneado todas las recetas del último lote.</translation>
    </message>
    <message>
        <source>1 prescription is still being scanned. Stop and exit?</source>
        <translation>Todavía se está escaneando 1 receta. ¿Detener y salir?</translation>
    </message>
    <message>
        <source>%1 prescriptions are still being scanned. Stop and exit?</source>
        <translation>Todavía se están escaneando %1 recetas. ¿Detener y salir?</translation>
    </message>
    <message>
        <source>The turned image could not be saved to %1: %2</source>
        <translation>No se pudo guardar la imagen girada en %1: %2</translation>
    </message>
</context>
<context>
    <name>quiller::Deletion</name>
    <message>
        <source>You are deleting %1, Continue?</source>
        <translation>Va a eliminar %1. ¿Continuar?</translation>
    </message>
</context>
<context>
    <name>quiller::EnlargedView</name>
    <message>
        <source>Scanned Image for Prescription %1</source>
        <translation>Imagen escaneada de la receta %1</translation>
    </message>
</context>
<context>
    <name>quiller::GlassPrompts</name>
    <message>
        <source>Place %1 on the glass, then OK</source>
        <translation>Coloque %1 sobre el cristal y pulse Aceptar</translation>
    </message>
</context>
<context>
    <name>quiller::KeptPagesView</name>
    <message>
        <source>Kept pages</source>
        <translation>Páginas apartadas</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>Label read</source>
        <translation>Etiqueta leída</translation>
    </message>
    <message>
        <source>Kept at</source>
        <translation>Apartada el</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Puesto</translation>
    </message>
    <message>
        <source>Kept page</source>
        <translation>Página apartada</translation>
    </message>
    <message>
        <source>&amp;File under the selected prescription</source>
        <translation>&amp;Archivar en la receta seleccionada</translation>
    </message>
    <message>
        <source>File this page as the image of the prescription selected in the viewing list</source>
        <translation>Archiva esta página como imagen de la receta seleccionada en la lista de consulta</translation>
    </message>
    <message>
        <source>Set &amp;aside</source>
        <translation>&amp;Descartar</translation>
    </message>
    <message>
        <source>Move this page to the Discarded folder; it is not erased</source>
        <translation>Mueve esta página a la carpeta Discarded; no se borra</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>Select the prescription in the viewing list first, then file the page under it.</source>
        <translation>Seleccione primero la receta en la lista de consulta y después archive la página en ella.</translation>
    </message>
    <message>
        <source>Set this page aside? It moves to the Discarded folder and is no longer listed here.</source>
        <translation>¿Descartar esta página? Se mueve a la carpeta Discarded y deja de aparecer aquí.</translation>
    </message>
</context>
<context>
    <name>quiller::Preview</name>
    <message>
        <source>Rx Image of Rx# %1</source>
        <translation>Imagen de la receta n.º %1</translation>
    </message>
    <message>
        <source>Rx Image</source>
        <translation>Imagen de la receta</translation>
    </message>
</context>
<context>
    <name>quiller::QuillerApplication</name>
    <message>
        <source>Run-time error %1:

%2</source>
        <translation>Error en tiempo de ejecución %1:

%2</translation>
    </message>
</context>
<context>
    <name>quiller::SaneScanner</name>
    <message>
        <source>The scanner %1 did not answer %2. The batch was stopped; the pages scanned so far are kept. Check that the scanner is switched on and connected, then scan the rest.</source>
        <translation>El escáner %1 no respondió %2. Se detuvo el lote; las páginas escaneadas hasta ahora se conservan. Compruebe que el escáner está encendido y conectado y escanee el resto.</translation>
    </message>
    <message>
        <source>The scanner is already scanning.</source>
        <translation>El escáner ya está escaneando.</translation>
    </message>
    <message>
        <source>No scanner is available. Choose a scanner under Tools, Configuration.</source>
        <translation>No hay ningún escáner disponible. Elija un escáner en Herramientas, Configuración.</translation>
    </message>
</context>
<context>
    <name>quiller::ScannerControl</name>
    <message>
        <source>There is no image %1 in the buffer.</source>
        <translation>No hay ninguna imagen %1 en la memoria intermedia.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Images can only be turned by multiples of 90 degrees.</source>
        <translation>Las imágenes solo se pueden girar en múltiplos de 90 grados.</translation>
    </message>
    <message>
        <source>The image cannot be turned: %1</source>
        <translation>No se puede girar la imagen: %1</translation>
    </message>
</context>
<context>
    <name>quiller::ScannerStartup</name>
    <message>
        <source>Configuration is not completed yet. Restart this program and complete configuration first.</source>
        <translation>La configuración aún no está completa. Reinicie este programa y complete primero la configuración.</translation>
    </message>
    <message>
        <source>The configured scanner is not available. Choose a scanner under Tools, Configuration.</source>
        <translation>El escáner configurado no está disponible. Elija un escáner en Herramientas, Configuración.</translation>
    </message>
    <message>
        <source>The configured scanner %1 is not connected. Check that it is switched on and connected, or choose a scanner under Tools, Configuration.</source>
        <translation>El escáner configurado %1 no está conectado. Compruebe que está encendido y conectado, o elija un escáner en Herramientas, Configuración.</translation>
    </message>
    <message>
        <source>Image %1 (%2 x %3 x %4 bpp )</source>
        <translation>Imagen %1 (%2 x %3 x %4 bpp )</translation>
    </message>
    <message>
        <source>Image %1 (%2 x %3 x %4 bpp)</source>
        <translation>Imagen %1 (%2 x %3 x %4 bpp)</translation>
    </message>
    <message>
        <source>Start scanner</source>
        <translation>Iniciando el escáner</translation>
    </message>
    <message>
        <source>Start device</source>
        <translation>Iniciando el dispositivo</translation>
    </message>
</context>
<context>
    <name>quiller::SearchList</name>
    <message>
        <source>The database is not open.</source>
        <translation>La base de datos no está abierta.</translation>
    </message>
</context>
<context>
    <name>quiller::SearchResultModel</name>
    <message>
        <source>Rx Number</source>
        <translation>N.º de receta</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Drug Name</source>
        <translation>Medicamento</translation>
    </message>
    <message>
        <source>Patient</source>
        <translation>Paciente</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Página</translation>
    </message>
</context>
<context>
    <name>quiller::StationCore</name>
    <message>
        <source>No scanner is available. Choose a scanner under Tools, Configuration.</source>
        <translation>No hay ningún escáner disponible. Elija un escáner en Herramientas, Configuración.</translation>
    </message>
    <message>
        <source>Looking for items to be scanned.</source>
        <translation>Buscando recetas por escanear.</translation>
    </message>
    <message>
        <source>Clear images in buffer</source>
        <translation>Vaciando las imágenes de la memoria intermedia</translation>
    </message>
    <message>
        <source>Acquire images</source>
        <translation>Adquiriendo imágenes</translation>
    </message>
    <message>
        <source>No document loaded, waiting ...</source>
        <translation>No hay ningún documento cargado, esperando...</translation>
    </message>
    <message>
        <source>No paper was put into the feeder in time.</source>
        <translation>No se puso papel en el alimentador a tiempo.</translation>
    </message>
    <message>
        <source>Acquiring image ...</source>
        <translation>Adquiriendo imagen...</translation>
    </message>
    <message>
        <source>A page arrived outside of any scan; it stays in %1: %2</source>
        <translation>Llegó una página fuera de cualquier escaneo; queda en %1: %2</translation>
    </message>
    <message>
        <source>A page arrived outside of any scan; it is kept as %1</source>
        <translation>Llegó una página fuera de cualquier escaneo; se guarda como %1</translation>
    </message>
    <message>
        <source>not recorded (%1); its page stays in the staging folder: %2</source>
        <translation>no registrada (%1); su página queda en la carpeta de espera: %2</translation>
    </message>
    <message>
        <source>not recorded (%1)</source>
        <translation>no registrada (%1)</translation>
    </message>
    <message>
        <source>Saving image file %1</source>
        <translation>Guardando el archivo de imagen %1</translation>
    </message>
    <message>
        <source>(page %1 stays in the staging folder: %2)</source>
        <translation>(la página %1 queda en la carpeta de espera: %2)</translation>
    </message>
    <message>
        <source>Reading the labels of the last pages ...</source>
        <translation>Leyendo las etiquetas de las últimas páginas...</translation>
    </message>
    <message>
        <source>two labels</source>
        <translation>dos etiquetas</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>falta</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>En espera</translation>
    </message>
    <message>
        <source>Scanning: image %1 of %2</source>
        <translation>Escaneando: imagen %1 de %2</translation>
    </message>
    <message>
        <source>Nothing was scanned: scanned pages cannot be kept on disk until they are filed. %1</source>
        <translation>No se escaneó nada: las páginas escaneadas no se pueden guardar en el disco hasta archivarlas. %1</translation>
    </message>
    <message>
        <source>a second page labelled %1</source>
        <translation>una segunda página con la etiqueta %1</translation>
    </message>
    <message>
        <source>The database server is back: %1 waiting page(s) filed.</source>
        <translation>El servidor de base de datos ha vuelto: páginas en espera archivadas (%1).</translation>
    </message>
    <message>
        <source>The database server is back, but these pages could not be filed:
%1</source>
        <translation>El servidor de base de datos ha vuelto, pero estas páginas no se pudieron archivar:
%1</translation>
    </message>
</context>
<context>
    <name>quiller::ToBeScannedList</name>
    <message>
        <source>%1 - not recorded: %2</source>
        <translation>%1 - no registrada: %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>No registrada: %1</translation>
    </message>
</context>
<context>
    <name>quiller::frmAbout</name>
    <message>
        <source>About Marrowby</source>
        <translation>Acerca de Marrowby</translation>
    </message>
    <message>
        <source>This application is for scanning prescriptions from Tellan Calvora software.</source>
        <translation>Esta aplicación sirve para escanear las recetas del programa Tellan Calvora.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Información del &amp;sistema...</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Versión %1.%2.%3</translation>
    </message>
    <message>
        <source>This program stores and shows prescription images only. It does not check, change or fill prescriptions; every prescription remains the responsibility of the dispensing pharmacist.</source>
        <translation>Este programa solo guarda y muestra imágenes de recetas. No comprueba, modifica ni dispensa recetas; cada receta sigue siendo responsabilidad del farmacéutico que la dispensa.</translation>
    </message>
</context>
<context>
    <name>quiller::frmConfiguration</name>
    <message>
        <source>The scanner unique ID must be exactly one letter or digit: data files for this station are those whose name begins with it.</source>
        <translation>El identificador único del escáner debe ser exactamente una letra o una cifra: los archivos de datos de este puesto son aquellos cuyo nombre empieza por él.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>&amp;Scanner</source>
        <translation>E&amp;scáner</translation>
    </message>
    <message>
        <source>&amp;Where to save images</source>
        <translation>&amp;Dónde guardar las imágenes</translation>
    </message>
    <message>
        <source>&amp;Rx file interchange path</source>
        <translation>Carpeta de intercambio de &amp;recetas</translation>
    </message>
    <message>
        <source>Scanner &amp;unique ID</source>
        <translation>&amp;Identificador único del escáner</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Base de datos</translation>
    </message>
    <message>
        <source>Database in use</source>
        <translation>Base de datos en uso</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>E&amp;xaminar</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>Browse for the image folder</source>
        <translation>Buscar la carpeta de imágenes</translation>
    </message>
    <message>
        <source>Browse for the interchange folder</source>
        <translation>Buscar la carpeta de intercambio</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>Ac&amp;tualizar</translation>
    </message>
    <message>
        <source>The scanner the prescriptions are scanned with. Refresh lists the scanners connected now.</source>
        <translation>El escáner con el que se escanean las recetas. Actualizar muestra los escáneres conectados en este momento.</translation>
    </message>
    <message>
        <source>The folder where the scanned prescription images are stored. The station&apos;s database file is kept in the same folder.</source>
        <translation>La carpeta donde se guardan las imágenes escaneadas de las recetas. El archivo de base de datos del puesto se guarda en la misma carpeta.</translation>
    </message>
    <message>
        <source>The shared folder into which the pharmacy system writes the data files of filled prescriptions for this station.</source>
        <translation>La carpeta compartida en la que el sistema de la farmacia deja los archivos de datos de las recetas dispensadas para este puesto.</translation>
    </message>
    <message>
        <source>One letter or digit that names this station: it takes the data files whose name begins with it.</source>
        <translation>Una letra o cifra que identifica este puesto: toma los archivos de datos cuyo nombre empieza por ella.</translation>
    </message>
    <message>
        <source>Choose the folder where images are stored.</source>
        <translation>Elija la carpeta donde se guardan las imágenes.</translation>
    </message>
    <message>
        <source>Choose the folder the pharmacy system writes its data files to.</source>
        <translation>Elija la carpeta en la que el sistema de la farmacia deja sus archivos de datos.</translation>
    </message>
    <message>
        <source>Look again for connected scanners.</source>
        <translation>Volver a buscar escáneres conectados.</translation>
    </message>
    <message>
        <source>Where the station keeps its records. It is set by the administrator and not changed here.</source>
        <translation>Dónde guarda el puesto sus registros. Lo establece el administrador y no se cambia aquí.</translation>
    </message>
    <message>
        <source>Tell the station which scanner to use, where to store the prescription images and where the pharmacy system leaves the prescriptions to be scanned. Every field can be changed later under Tools, Configuration.</source>
        <translation>Indique al puesto qué escáner usar, dónde guardar las imágenes de las recetas y dónde deja el sistema de la farmacia las recetas por escanear. Todos los campos pueden cambiarse más tarde en Herramientas, Configuración.</translation>
    </message>
    <message>
        <source>SQLite file in the image folder, once it is chosen</source>
        <translation>Archivo SQLite en la carpeta de imágenes, cuando se elija</translation>
    </message>
    <message>
        <source>SQLite file %1</source>
        <translation>Archivo SQLite %1</translation>
    </message>
    <message>
        <source>Select a scanner.</source>
        <translation>Seleccione un escáner.</translation>
    </message>
    <message>
        <source>Where to save image files?</source>
        <translation>¿Dónde guardar los archivos de imagen?</translation>
    </message>
    <message>
        <source>Where to get prescription data files?</source>
        <translation>¿De dónde tomar los archivos de datos de recetas?</translation>
    </message>
    <message>
        <source>The folder %1 does not exist yet. Create it?</source>
        <translation>La carpeta %1 todavía no existe. ¿Crearla?</translation>
    </message>
    <message>
        <source>The folder %1 is not accessible or does not exist.</source>
        <translation>La carpeta %1 no es accesible o no existe.</translation>
    </message>
</context>
<context>
    <name>quiller::frmMain</name>
    <message>
        <source>Tellan Rx Image Scan (V.%1.%2.%3)</source>
        <translation>Tellan Rx Image Scan (V.%1.%2.%3)</translation>
    </message>
    <message>
        <source>Tellan Rx Image Scan</source>
        <translation>Tellan Rx Image Scan</translation>
    </message>
    <message>
        <source>S&amp;can</source>
        <translation>Es&amp;canear</translation>
    </message>
    <message>
        <source>V&amp;iew</source>
        <translation>&amp;Ver</translation>
    </message>
    <message>
        <source>Ready to Scan</source>
        <translation>Listo para escanear</translation>
    </message>
    <message>
        <source>Readiness</source>
        <translation>Disponibilidad</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Archivo</translation>
    </message>
    <message>
        <source>Page Set&amp;up...</source>
        <translation>Configurar pá&amp;gina...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimir...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Herramientas</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>&amp;Reiniciar</translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation>&amp;Configuración</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ay&amp;uda</translation>
    </message>
    <message>
        <source>&amp;Technical Support</source>
        <translation>Asistencia &amp;técnica</translation>
    </message>
    <message>
        <source>&amp;About </source>
        <translation>&amp;Acerca de </translation>
    </message>
    <message>
        <source>&amp;SysTray</source>
        <translation>&amp;Bandeja</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurar</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Image %v of %m</source>
        <translation>Imagen %v de %m</translation>
    </message>
    <message>
        <source>Not Ready to Scan</source>
        <translation>No está listo para escanear</translation>
    </message>
    <message>
        <source>Rx Image</source>
        <translation>Imagen de la receta</translation>
    </message>
    <message>
        <source>View scanned images</source>
        <translation>Consultar imágenes escaneadas</translation>
    </message>
    <message>
        <source>Find a prescription</source>
        <translation>Buscar una receta</translation>
    </message>
</context>
<context>
    <name>quiller::frmScan</name>
    <message>
        <source>Rx Number</source>
        <translation>N.º de receta</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Drug Name</source>
        <translation>Medicamento</translation>
    </message>
    <message>
        <source>Patient</source>
        <translation>Paciente</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Página</translation>
    </message>
    <message>
        <source>Scanning Prescriptions</source>
        <translation>Escaneo de recetas</translation>
    </message>
    <message>
        <source>Prescriptions to be scanned</source>
        <translation>Recetas por escanear</translation>
    </message>
    <message>
        <source>Rx image</source>
        <translation>Imagen de la receta</translation>
    </message>
    <message>
        <source>Double click the image to view larger picture</source>
        <translation>Haga doble clic en la imagen para verla más grande</translation>
    </message>
    <message>
        <source>Scanner</source>
        <translation>Escáner</translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation>&amp;Escanear</translation>
    </message>
    <message>
        <source>&amp;Rotate</source>
        <translation>&amp;Girar</translation>
    </message>
    <message>
        <source>&amp;View Larger Image/Print</source>
        <translation>&amp;Ver imagen ampliada/Imprimir</translation>
    </message>
    <message>
        <source>Scan &amp;the rest</source>
        <translation>Escanear el &amp;resto</translation>
    </message>
    <message>
        <source>Scan the prescriptions of the last batch that were not scanned, in one go</source>
        <translation>Escanear de una vez las recetas del último lote que no se escanearon</translation>
    </message>
    <message>
        <source>Sto&amp;p waiting for paper</source>
        <translation>&amp;Dejar de esperar el papel</translation>
    </message>
    <message>
        <source>End the batch now; its prescriptions are reported as not scanned and can be scanned later</source>
        <translation>Terminar el lote ahora; sus recetas figuran como no escaneadas y pueden escanearse más tarde</translation>
    </message>
    <message>
        <source>No images</source>
        <translation>Sin imágenes</translation>
    </message>
    <message>
        <source>Search for</source>
        <translation>Buscar por</translation>
    </message>
    <message>
        <source>From fill date</source>
        <translation>Desde la fecha de dispensación</translation>
    </message>
    <message>
        <source>To fill date</source>
        <translation>Hasta la fecha de dispensación</translation>
    </message>
    <message>
        <source>Prescriptions to be viewed</source>
        <translation>Recetas para consultar</translation>
    </message>
    <message>
        <source>Prescription image</source>
        <translation>Imagen de la receta</translation>
    </message>
    <message>
        <source>Search by</source>
        <translation>Buscar por</translation>
    </message>
    <message>
        <source>Search text</source>
        <translation>Texto de búsqueda</translation>
    </message>
    <message>
        <source>Drug</source>
        <translation>Medicamento</translation>
    </message>
    <message>
        <source>Not scanned</source>
        <translation>Sin escanear</translation>
    </message>
    <message>
        <source>&amp;Kept pages</source>
        <translation>Páginas a&amp;partadas</translation>
    </message>
    <message>
        <source>Pages kept apart in the Unmatched folder: file them under a prescription or set them aside</source>
        <translation>Páginas apartadas en la carpeta Unmatched: archívelas en una receta o descártelas</translation>
    </message>
</context>
<context>
    <name>quiller::frmShowPic</name>
    <message>
        <source>Scanned Image for Prescription</source>
        <translation>Imagen escaneada de la receta</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimir</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>The page could not be sent to the printer.</source>
        <translation>No se pudo enviar la página a la impresora.</translation>
    </message>
    <message>
        <source>No printer is available.</source>
        <translation>No hay ninguna impresora disponible.</translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation>&amp;Vista previa</translation>
    </message>
    <message>
        <source>The image could not be printed. </source>
        <translation>No se pudo imprimir la imagen. </translation>
    </message>
    <message>
        <source>The image was sent to the printer %1.</source>
        <translation>La imagen se envió a la impresora %1.</translation>
    </message>
    <message>
        <source>The image was saved as %1.</source>
        <translation>La imagen se guardó como %1.</translation>
    </message>
    <message>
        <source>Print Preview - %1</source>
        <translation>Vista previa de impresión - %1</translation>
    </message>
</context>
<context>
    <name>quiller::frmSupport</name>
    <message>
        <source>Technical Support</source>
        <translation>Asistencia técnica</translation>
    </message>
    <message>
        <source>If you have questions, please contact</source>
        <translation>Si tiene preguntas, póngase en contacto con</translation>
    </message>
    <message>
        <source>Telephone: </source>
        <translation>Teléfono: </translation>
    </message>
    <message>
        <source>Fax: </source>
        <translation>Fax: </translation>
    </message>
    <message>
        <source>E-mail: </source>
        <translation>Correo electrónico: </translation>
    </message>
</context>
</TS>
