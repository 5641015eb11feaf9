<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Acquisition</name>
    <message>
        <source>and %1 more</source>
        <translation>und %1 weitere</translation>
    </message>
    <message>
        <source>%1: %2 (its page is kept as %3)</source>
        <translation>%1: %2 (die Seite ist als %3 aufbewahrt)</translation>
    </message>
    <message>
        <source>Check the [verify] settings: %1.</source>
        <translation>Prüfen Sie die Einstellungen [verify]: %1.</translation>
    </message>
    <message>
        <source>%1 of %2 prescriptions scanned and stored.</source>
        <translation>%1 von %2 Rezepten gescannt und gespeichert.</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Angehalten: %1</translation>
    </message>
    <message>
        <source>Not stored:</source>
        <translation>Nicht gespeichert:</translation>
    </message>
    <message>
        <source>Pages kept apart, in the image folder as: %1</source>
        <translation>Getrennt aufbewahrte Seiten, im Bildordner als: %1</translation>
    </message>
    <message>
        <source>Stopped before their page came: %1</source>
        <translation>Angehalten, bevor ihre Seite kam: %1</translation>
    </message>
    <message>
        <source>Not scanned: %1</source>
        <translation>Nicht gescannt: %1</translation>
    </message>
    <message>
        <source>%1 extra page(s) belonged to no prescription of this scan and were kept in the image folder as: %2</source>
        <translation>Zusätzliche Seiten (%1) gehörten zu keinem Rezept dieses Scanvorgangs und wurden im Bildordner aufbewahrt als: %2</translation>
    </message>
    <message>
        <source>%1 filed from an earlier batch.</source>
        <translation>%1 aus einem früheren Stapel abgelegt.</translation>
    </message>
    <message>
        <source>The database server is unavailable: the pages of %1 wait in the staging folder and are filed as soon as it is back.</source>
        <translation>Der Datenbankserver ist nicht erreichbar: Die Seiten von %1 warten im Zwischenordner und werden abgelegt, sobald er wieder da ist.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;quiller --help&apos;.</source>
        <translation>Versuchen Sie „quiller --help“.</translation>
    </message>
    <message>
        <source>Quiller: prescription image scanning station for a pharmacy.
Log: $XDG_STATE_HOME/Quiller/quiller.log (~/.local/state/Quiller/quiller.log).
Settings: ~/.config/Quiller/Quiller.conf; station-wide defaults in /etc/xdg/Quiller/Quiller.conf.
Qt&apos;s standard options (-platform, -style, -reverse, -qwindowgeometry, ...) are accepted as well.</source>
        <translation>Quiller: Scanplatz für Rezeptbilder in der Apotheke.
Protokoll: $XDG_STATE_HOME/Quiller/quiller.log (~/.local/state/Quiller/quiller.log).
Einstellungen: ~/.config/Quiller/Quiller.conf; Vorgaben für den ganzen Arbeitsplatz in /etc/xdg/Quiller/Quiller.conf.
Die Standardoptionen von Qt (-platform, -style, -reverse, -qwindowgeometry, ...) werden ebenfalls angenommen.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Use FILE as the settings file instead of the user&apos;s Quiller.conf.</source>
        <translation>FILE statt der Quiller.conf des Benutzers als Einstellungsdatei verwenden.</translation>
    </message>
    <message>
        <source>Print the audit trail (who accessed which prescription) as CSV and exit.</source>
        <translation>Das Zugriffsprotokoll (wer auf welches Rezept zugegriffen hat) als CSV ausgeben und beenden.</translation>
    </message>
    <message>
        <source>With --audit: from this day (YYYY-MM-DD).</source>
        <translation>Mit --audit: ab diesem Tag (JJJJ-MM-TT).</translation>
    </message>
    <message>
        <source>With --audit: to this day (YYYY-MM-DD).</source>
        <translation>Mit --audit: bis zu diesem Tag (JJJJ-MM-TT).</translation>
    </message>
    <message>
        <source>With --audit: only prescription number N.</source>
        <translation>Mit --audit: nur Rezeptnummer N.</translation>
    </message>
    <message>
        <source>Remove audit rows older than DATE (YYYY-MM-DD) and exit; rows younger than the kept years ([audit] KeepYears, 7) are never removed.</source>
        <translation>Protokollzeilen vor DATE (JJJJ-MM-TT) entfernen und beenden; Zeilen, die jünger als die Aufbewahrungsfrist sind ([audit] KeepYears, 7), werden nie entfernt.</translation>
    </message>
    <message>
        <source>Restore the deleted prescription RX-REFILL (e.g. 123-01) and its image and exit.</source>
        <translation>Das gelöschte Rezept RX-REFILL (z. B. 123-01) und sein Bild wiederherstellen und beenden.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
    <message>
        <source>Usage: quiller [options]</source>
        <translation>Aufruf: quiller [Optionen]</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date (YYYY-MM-DD)</source>
        <translation>„%1“ ist kein Datum (JJJJ-MM-TT)</translation>
    </message>
    <message>
        <source>Copy this station&apos;s records (the database file in its image folder) into the PostgreSQL database CONNECTION (postgresql://user@host:port/name, or keyword=value pairs such as service=pharmacy) and exit. Safe to run again; the file is not changed.</source>
        <translation>Kopiert die Datensätze dieser Station (die Datenbankdatei in ihrem Bildordner) in die PostgreSQL-Datenbank CONNECTION (postgresql://benutzer@host:port/name oder Schlüssel=Wert-Paare wie service=pharmacy) und beendet sich. Kann gefahrlos wiederholt werden; die Datei wird nicht verändert.</translation>
    </message>
</context>
<context>
    <name>DataFolder</name>
    <message>
        <source>Cannot list %1</source>
        <translation>%1 kann nicht aufgelistet werden</translation>
    </message>
    <message>
        <source>Cannot open the data file %1</source>
        <translation>Die Datendatei %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot read the data file %1: %2</source>
        <translation>Die Datendatei %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Pfad nicht gefunden: %1</translation>
    </message>
</context>
<context>
    <name>DataPrivacy</name>
    <message>
        <source>The station identifier &quot;%1&quot; in the settings cannot be used: it must be one letter or digit, the first character of the data files addressed to this station. Choose it in the configuration.</source>
        <translation>Die Arbeitsplatzkennung „%1“ in den Einstellungen ist nicht verwendbar: Sie muss ein einzelner Buchstabe oder eine Ziffer sein, das erste Zeichen der Datendateien für diesen Arbeitsplatz. Wählen Sie sie in der Konfiguration.</translation>
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
        <translation>Rezeptbilder und Datensätze sind für jedes Konto dieses Rechners lesbar:
%1

Um sie auf dieses Konto zu beschränken, führen Sie aus:
  chmod -R go-rwx %2
Um sie stattdessen mit einer Bedienergruppe zu teilen, führen Sie aus:
  chgrp -R operators %2
  chmod -R g+rwX,o-rwx %2
  find %2 -type d -exec chmod g+s {} +</translation>
    </message>
</context>
<context>
    <name>Database</name>
    <message>
        <source>SQLite file %1</source>
        <translation>SQLite-Datei %1</translation>
    </message>
    <message>
        <source>Database server unavailable, retrying</source>
        <translation>Datenbankserver nicht erreichbar, neuer Versuch läuft</translation>
    </message>
    <message>
        <source>The database %1 is damaged: %2. Its backups are in the folder Backups beside it.</source>
        <translation>Die Datenbank %1 ist beschädigt: %2. Ihre Sicherungen liegen im Ordner Backups daneben.</translation>
    </message>
    <message>
        <source>The fill date is not a valid date.</source>
        <translation>Das Abgabedatum ist kein gültiges Datum.</translation>
    </message>
</context>
<context>
    <name>DatabaseCare</name>
    <message>
        <source>no copy of it could be made: the folder %1 cannot be created</source>
        <translation>es konnte keine Kopie angelegt werden: der Ordner %1 kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>no copy of it could be made in %1 (%2)</source>
        <translation>es konnte keine Kopie in %1 angelegt werden (%2)</translation>
    </message>
    <message>
        <source>no copy of it could be made as %1</source>
        <translation>es konnte keine Kopie als %1 angelegt werden</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (schema %1; this version knows %2)</source>
        <translation>sie wurde von einer neueren Version des Programms angelegt (Schema %1; diese Version kennt %2)</translation>
    </message>
    <message>
        <source>The database on the server</source>
        <translation>Die Datenbank auf dem Server</translation>
    </message>
    <message>
        <source>The database %1</source>
        <translation>Die Datenbank %1</translation>
    </message>
    <message>
        <source>%1 cannot be brought up to date for this version of the program (schema %2 to %3): %4</source>
        <translation>%1 kann nicht für diese Version des Programms aktualisiert werden (Schema %2 auf %3): %4</translation>
    </message>
    <message>
        <source>
It was not changed; a copy of it as it was is kept as %1.</source>
        <translation>
Sie wurde nicht verändert; eine Kopie ihres vorherigen Zustands liegt unter %1.</translation>
    </message>
    <message>
        <source>
It was not changed.</source>
        <translation>
Sie wurde nicht verändert.</translation>
    </message>
    <message>
        <source>The database is damaged (%1); no backup was made, the older backups are kept.</source>
        <translation>Die Datenbank ist beschädigt (%1); es wurde keine Sicherung angelegt, die älteren Sicherungen bleiben erhalten.</translation>
    </message>
    <message>
        <source>Cannot write the backup %1: %2</source>
        <translation>Die Sicherung %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot write the backup %1</source>
        <translation>Die Sicherung %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>sie ist keine Datei</translation>
    </message>
    <message>
        <source>the file is empty (0 bytes)</source>
        <translation>die Datei ist leer (0 Byte)</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>die Datei kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>the file is not a database</source>
        <translation>die Datei ist keine Datenbank</translation>
    </message>
    <message>
        <source>it fails its check: </source>
        <translation>sie besteht ihre Prüfung nicht: </translation>
    </message>
    <message>
        <source>Cannot keep the damaged database %1 aside as %2</source>
        <translation>Die beschädigte Datenbank %1 kann nicht als %2 beiseitegelegt werden</translation>
    </message>
    <message>
        <source>Another database appeared at %1 meanwhile; the backup was not put in its place</source>
        <translation>Inzwischen ist unter %1 eine andere Datenbank erschienen; die Sicherung wurde nicht an ihre Stelle gesetzt</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>%1 kann nicht erstellt werden: %2</translation>
    </message>
    <message>
        <source>Cannot create %1</source>
        <translation>%1 kann nicht erstellt werden</translation>
    </message>
</context>
<context>
    <name>DatabaseCopy</name>
    <message>
        <source>There is no database file %1.</source>
        <translation>Es gibt keine Datenbankdatei %1.</translation>
    </message>
    <message>
        <source>The copy goes to an open server.</source>
        <translation>Die Kopie muss auf einen geöffneten Server gehen.</translation>
    </message>
    <message>
        <source>The copy does not add up (%1 of %2 prescriptions found on the server; %3 rows before, %4 added, %5 after).</source>
        <translation>Die Kopie geht nicht auf (%1 von %2 Rezepten auf dem Server gefunden; %3 Zeilen vorher, %4 hinzugefügt, %5 nachher).</translation>
    </message>
    <message>
        <source>Nothing was copied: %1</source>
        <translation>Es wurde nichts kopiert: %1</translation>
    </message>
</context>
<context>
    <name>DatabaseServer</name>
    <message>
        <source>The port &quot;%1&quot; is not a port number.</source>
        <translation>Der Port „%1“ ist keine Portnummer.</translation>
    </message>
    <message>
        <source>The sslmode &quot;%1&quot; is not one of %2.</source>
        <translation>Der sslmode „%1“ ist keiner von %2.</translation>
    </message>
    <message>
        <source>The connection option %1 cannot hold a &apos;;&apos;.</source>
        <translation>Die Verbindungsoption %1 darf kein &apos;;&apos; enthalten.</translation>
    </message>
    <message>
        <source>libpq cannot read it (out of memory)</source>
        <translation>libpq kann sie nicht lesen (kein Speicher mehr)</translation>
    </message>
    <message>
        <source>The database connection is refused: %1.</source>
        <translation>Die Datenbankverbindung wird abgelehnt: %1.</translation>
    </message>
    <message>
        <source>PostgreSQL database</source>
        <translation>PostgreSQL-Datenbank</translation>
    </message>
    <message>
        <source>PostgreSQL database %1</source>
        <translation>PostgreSQL-Datenbank %1</translation>
    </message>
    <message>
        <source>%1 (service %2)</source>
        <translation>%1 (Dienst %2)</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 auf %2</translation>
    </message>
    <message>
        <source>%1 as %2</source>
        <translation>%1 als %2</translation>
    </message>
    <message>
        <source>No database connection was given.</source>
        <translation>Es wurde keine Datenbankverbindung angegeben.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a database connection: give a URI (postgresql://user@host:port/database) or keyword=value pairs (service=pharmacy).</source>
        <translation>„%1“ ist keine Datenbankverbindung: Geben Sie einen URI (postgresql://user@host:port/database) oder Paare Schlüsselwort=Wert (service=pharmacy) an.</translation>
    </message>
    <message>
        <source>The settings hold the database %1: keep it in ~/.pgpass or a service file instead.</source>
        <translation>Die Einstellungen enthalten das Datenbank-%1: Bewahren Sie es stattdessen in ~/.pgpass oder einer Dienstdatei auf.</translation>
    </message>
    <message>
        <source>The database setting &quot;%1&quot; is not known.</source>
        <translation>Die Datenbankeinstellung „%1“ ist nicht bekannt.</translation>
    </message>
    <message>
        <source>The PostgreSQL driver of Qt (QPSQL) is not installed: install the package libqt6sql6-psql.</source>
        <translation>Der PostgreSQL-Treiber von Qt (QPSQL) ist nicht installiert: Installieren Sie das Paket libqt6sql6-psql.</translation>
    </message>
    <message>
        <source>The setting sslmode &quot;%1&quot; is not one of %2.</source>
        <translation>Die Einstellung sslmode „%1“ ist keiner von %2.</translation>
    </message>
    <message>
        <source>The %1 refused the station: %2%3</source>
        <translation>Die %1 hat den Arbeitsplatz abgewiesen: %2%3</translation>
    </message>
    <message>
        <source>The setting sslmode is refused: %1</source>
        <translation>Die Einstellung sslmode wird abgelehnt: %1</translation>
    </message>
    <message>
        <source>The %1 cannot be reached: %2</source>
        <translation>Die %1 ist nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>The password file %1 is ignored because others may read it: make it readable by its owner only (chmod 600 %1).</source>
        <translation>Die Passwortdatei %1 wird ignoriert, weil andere sie lesen können: Machen Sie sie nur für ihren Eigentümer lesbar (chmod 600 %1).</translation>
    </message>
</context>
<context>
    <name>DatabaseSettings</name>
    <message>
        <source>The database driver &quot;%1&quot; in the settings is not known; use sqlite or postgresql.</source>
        <translation>Der Datenbanktreiber „%1“ in den Einstellungen ist nicht bekannt; verwenden Sie sqlite oder postgresql.</translation>
    </message>
    <message>
        <source>The settings hold a database password ([database] password), which the station never reads there. Remove it and put it in ~/.pgpass (mode 0600).</source>
        <translation>Die Einstellungen enthalten ein Datenbankpasswort ([database] password), das der Arbeitsplatz dort nie liest. Entfernen Sie es und legen Sie es in ~/.pgpass ab (Modus 0600).</translation>
    </message>
    <message>
        <source>The database port &quot;%1&quot; in the settings is not a port number.</source>
        <translation>Der Datenbankport „%1“ in den Einstellungen ist keine Portnummer.</translation>
    </message>
</context>
<context>
    <name>DeletedPrescriptions</name>
    <message>
        <source>Prescription %1-%2 is recorded again since it was deleted; the deleted record is kept as it is.</source>
        <translation>Das Rezept %1-%2 wurde seit seiner Löschung erneut erfasst; der gelöschte Datensatz bleibt unverändert erhalten.</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Error Number:</source>
        <translation>Fehlernummer:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Error Source:</source>
        <translation>Fehlerquelle:</translation>
    </message>
    <message>
        <source>Last DLL Error:</source>
        <translation>Letzter Systemfehler:</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>File not found: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Cannot copy %1 to %2</source>
        <translation>%1 kann nicht nach %2 kopiert werden</translation>
    </message>
    <message>
        <source>Cannot delete %1: %2</source>
        <translation>%1 kann nicht gelöscht werden: %2</translation>
    </message>
    <message>
        <source>Cannot reach %1: %2</source>
        <translation>%1 ist nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>Cannot give %1 to the folder&apos;s group: %2</source>
        <translation>%1 kann nicht der Gruppe des Ordners gegeben werden: %2</translation>
    </message>
    <message>
        <source>Cannot set the permissions of %1: %2</source>
        <translation>Die Berechtigungen von %1 können nicht gesetzt werden: %2</translation>
    </message>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation>Der Ordner %1 kann nicht geöffnet werden: %2</translation>
    </message>
</context>
<context>
    <name>FillList</name>
    <message>
        <source>The database is not open.</source>
        <translation>Die Datenbank ist nicht geöffnet.</translation>
    </message>
</context>
<context>
    <name>GetDirectory</name>
    <message>
        <source>Select a directory, then click OK</source>
        <translation>Wählen Sie einen Ordner und klicken Sie dann auf OK</translation>
    </message>
</context>
<context>
    <name>ImageStore</name>
    <message>
        <source>the image folder %1 is missing</source>
        <translation>der Bildordner %1 fehlt</translation>
    </message>
    <message>
        <source>the page could not be named in %1</source>
        <translation>die Seite konnte in %1 nicht benannt werden</translation>
    </message>
    <message>
        <source>the page could not be kept either: %1</source>
        <translation>die Seite konnte auch nicht aufbewahrt werden: %1</translation>
    </message>
    <message>
        <source>its image name would leave the image folder</source>
        <translation>sein Bildname läge außerhalb des Bildordners</translation>
    </message>
    <message>
        <source>the database is not open</source>
        <translation>die Datenbank ist nicht geöffnet</translation>
    </message>
    <message>
        <source>its image name is taken by something that is not an image file</source>
        <translation>sein Bildname ist durch etwas belegt, das keine Bilddatei ist</translation>
    </message>
    <message>
        <source>the scanned page is missing from the staging folder</source>
        <translation>die gescannte Seite fehlt im Zwischenordner</translation>
    </message>
    <message>
        <source>the image it replaces could not be moved to %1</source>
        <translation>das ersetzte Bild konnte nicht nach %1 verschoben werden</translation>
    </message>
    <message>
        <source>the page could not be given its name %1</source>
        <translation>die Seite konnte nicht in %1 umbenannt werden</translation>
    </message>
    <message>
        <source>its prescription is no longer recorded</source>
        <translation>sein Rezept ist nicht mehr erfasst</translation>
    </message>
    <message>
        <source>its row could not be updated: %1</source>
        <translation>seine Zeile konnte nicht aktualisiert werden: %1</translation>
    </message>
</context>
<context>
    <name>LabelPattern</name>
    <message>
        <source>the label pattern is empty</source>
        <translation>das Etikettenmuster ist leer</translation>
    </message>
    <message>
        <source>the label pattern &quot;%1&quot; is not a valid regular expression: %2 at position %3</source>
        <translation>das Etikettenmuster „%1“ ist kein gültiger regulärer Ausdruck: %2 an Position %3</translation>
    </message>
    <message>
        <source>the label pattern &quot;%1&quot; has no group named rx (write (?&lt;rx&gt;...) around the Rx number)</source>
        <translation>das Etikettenmuster „%1“ hat keine Gruppe namens rx (schreiben Sie (?&lt;rx&gt;...) um die Rezeptnummer)</translation>
    </message>
</context>
<context>
    <name>LockFile</name>
    <message>
        <source>Cannot write the lock file %1: %2</source>
        <translation>Die Sperrdatei %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>PageChecks</name>
    <message>
        <source>verified</source>
        <translation>geprüft</translation>
    </message>
    <message>
        <source>by position</source>
        <translation>nach Reihenfolge</translation>
    </message>
    <message>
        <source>by operator</source>
        <translation>durch Bediener</translation>
    </message>
</context>
<context>
    <name>PageFiling</name>
    <message>
        <source>duplicate: </source>
        <translation>doppelt: </translation>
    </message>
    <message>
        <source>label of another prescription: </source>
        <translation>Etikett eines anderen Rezepts: </translation>
    </message>
    <message>
        <source>two labels: </source>
        <translation>zwei Etiketten: </translation>
    </message>
    <message>
        <source>several labels: </source>
        <translation>mehrere Etiketten: </translation>
    </message>
    <message>
        <source>label without its refill: </source>
        <translation>Etikett ohne Abgabenummer: </translation>
    </message>
    <message>
        <source>no label</source>
        <translation>kein Etikett</translation>
    </message>
    <message>
        <source>label </source>
        <translation>Etikett </translation>
    </message>
    <message>
        <source>labels </source>
        <translation>Etiketten </translation>
    </message>
    <message>
        <source>labels of other prescriptions: </source>
        <translation>Etiketten anderer Rezepte: </translation>
    </message>
    <message>
        <source>%1 without label</source>
        <translation>%1 ohne Etikett</translation>
    </message>
    <message>
        <source>page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>verified by its label</source>
        <translation>anhand ihres Etiketts geprüft</translation>
    </message>
    <message>
        <source>verified by their label</source>
        <translation>anhand ihrer Etiketten geprüft</translation>
    </message>
    <message>
        <source>filed by position</source>
        <translation>nach Reihenfolge abgelegt</translation>
    </message>
    <message>
        <source>kept as unmatched</source>
        <translation>als nicht zugeordnet aufbewahrt</translation>
    </message>
    <message>
        <source>kept apart as a duplicate</source>
        <translation>als Duplikat getrennt aufbewahrt</translation>
    </message>
    <message>
        <source>kept apart as duplicates</source>
        <translation>als Duplikate getrennt aufbewahrt</translation>
    </message>
    <message>
        <source>no pages</source>
        <translation>keine Seiten</translation>
    </message>
    <message>
        <source>no page for </source>
        <translation>keine Seite für </translation>
    </message>
</context>
<context>
    <name>PageStaging</name>
    <message>
        <source>The image folder %1 is missing</source>
        <translation>Der Bildordner %1 fehlt</translation>
    </message>
    <message>
        <source>Cannot make the staging folder %1</source>
        <translation>Der Zwischenordner %1 kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>The staging folder %1 is in use by another run of this station.</source>
        <translation>Der Zwischenordner %1 wird von einem anderen Lauf dieses Arbeitsplatzes verwendet.</translation>
    </message>
    <message>
        <source>Cannot write the staging journal %1</source>
        <translation>Das Zwischenjournal %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The staging folder is not open.</source>
        <translation>Der Zwischenordner ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Cannot write the staging journal in %1</source>
        <translation>Das Zwischenjournal in %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>A scanned page could not be kept on disk: %1</source>
        <translation>Eine gescannte Seite konnte nicht auf der Festplatte gesichert werden: %1</translation>
    </message>
</context>
<context>
    <name>PatientRecords</name>
    <message>
        <source>The database is not open.</source>
        <translation>Die Datenbank ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>Cannot move %1 to %2: the name is taken</source>
        <translation>%1 kann nicht nach %2 verschoben werden: der Name ist belegt</translation>
    </message>
    <message>
        <source>Cannot move %1 to %2: %3</source>
        <translation>%1 kann nicht nach %2 verschoben werden: %3</translation>
    </message>
    <message>
        <source>Prescription %1-%2 is no longer recorded.</source>
        <translation>Das Rezept %1-%2 ist nicht mehr erfasst.</translation>
    </message>
    <message>
        <source>No deleted prescription %1 is kept.</source>
        <translation>Es ist kein gelöschtes Rezept %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>The deleted record of %1 names an image outside the image folder; it is left as it is.</source>
        <translation>Der gelöschte Datensatz von %1 nennt ein Bild außerhalb des Bildordners; er bleibt unverändert.</translation>
    </message>
    <message>
        <source>Restored prescription %1 (deleted %2 on station %3 by %4).</source>
        <translation>Rezept %1 wiederhergestellt (gelöscht am %2 an Arbeitsplatz %3 von %4).</translation>
    </message>
    <message>
        <source>Restored prescription %1 (deleted %2 on station %3 by %4) with its image %5.</source>
        <translation>Rezept %1 wiederhergestellt (gelöscht am %2 an Arbeitsplatz %3 von %4) mit seinem Bild %5.</translation>
    </message>
    <message>
        <source>The station has no image folder in its settings.</source>
        <translation>In den Einstellungen des Arbeitsplatzes ist kein Bildordner angegeben.</translation>
    </message>
    <message>
        <source>There is no database %1.</source>
        <translation>Es gibt keine Datenbank %1.</translation>
    </message>
    <message>
        <source>Audit rows are kept for %1 years: only rows older than %2 may be removed.</source>
        <translation>Protokollzeilen werden %1 Jahre aufbewahrt: nur Zeilen vor dem %2 dürfen entfernt werden.</translation>
    </message>
    <message>
        <source>Removed %1 audit rows older than %2.
</source>
        <translation>%1 Protokollzeilen vor dem %2 entfernt.
</translation>
    </message>
</context>
<context>
    <name>PollingTick</name>
    <message>
        <source>Cannot rename the data file %1 to %2</source>
        <translation>Die Datendatei %1 kann nicht in %2 umbenannt werden</translation>
    </message>
    <message>
        <source>The database is not open.</source>
        <translation>Die Datenbank ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>The database %1 is missing</source>
        <translation>Die Datenbank %1 fehlt</translation>
    </message>
    <message>
        <source>The database failed.</source>
        <translation>Die Datenbank ist ausgefallen.</translation>
    </message>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 Zeile %2: %3</translation>
    </message>
    <message>
        <source>the field %1 holds characters an image file name cannot have</source>
        <translation>das Feld %1 enthält Zeichen, die in einem Bilddateinamen nicht vorkommen dürfen</translation>
    </message>
    <message>
        <source>Rx number</source>
        <translation>Rezeptnummer</translation>
    </message>
    <message>
        <source>Refill number</source>
        <translation>Abgabenummer</translation>
    </message>
    <message>
        <source>the field Fill date is not a date</source>
        <translation>das Feld Abgabedatum ist kein Datum</translation>
    </message>
    <message>
        <source>the database refused the row</source>
        <translation>die Datenbank hat die Zeile abgelehnt</translation>
    </message>
    <message>
        <source>the database refused the row (%1)</source>
        <translation>die Datenbank hat die Zeile abgelehnt (%1)</translation>
    </message>
    <message>
        <source>The data file %1: %2 line(s) taken, %3 refused.</source>
        <translation>Die Datendatei %1: %2 Zeile(n) übernommen, %3 abgelehnt.</translation>
    </message>
    <message>
        <source>None of its prescriptions is listed for scanning.</source>
        <translation>Keines ihrer Rezepte steht zum Scannen in der Liste.</translation>
    </message>
    <message>
        <source>The refused prescriptions stay listed, marked &quot;not recorded&quot;; their pages are kept in the image folder&apos;s Unmatched folder.</source>
        <translation>Die abgelehnten Rezepte bleiben in der Liste, markiert mit „nicht erfasst“; ihre Seiten werden im Ordner Unmatched des Bildordners aufbewahrt.</translation>
    </message>
    <message>
        <source>The file is kept as %1 in %2.</source>
        <translation>Die Datei wird als %1 in %2 aufbewahrt.</translation>
    </message>
    <message>
        <source>Open and read data files</source>
        <translation>Datendateien öffnen und lesen</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>. Click Restart from Tools menu to start again.</source>
        <translation>. Klicken Sie im Menü Extras auf Neu starten, um wieder zu beginnen.</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>Page Setup</source>
        <translation>Seite einrichten</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
</context>
<context>
    <name>PrintedCopy</name>
    <message>
        <source>Rx %1</source>
        <translation>Rezept %1</translation>
    </message>
    <message>
        <source>Rx-refill: %1</source>
        <translation>Rezept-Wiederholung: %1</translation>
    </message>
    <message>
        <source>Patient: %1</source>
        <translation>Patient: %1</translation>
    </message>
    <message>
        <source>Drug: %1</source>
        <translation>Arzneimittel: %1</translation>
    </message>
    <message>
        <source>Fill date: %1</source>
        <translation>Abgabedatum: %1</translation>
    </message>
    <message>
        <source>Station: %1</source>
        <translation>Station: %1</translation>
    </message>
    <message>
        <source>Printed: %1</source>
        <translation>Gedruckt: %1</translation>
    </message>
    <message>
        <source>Copy of a stored prescription image</source>
        <translation>Kopie eines gespeicherten Rezeptbildes</translation>
    </message>
    <message>
        <source>No printer is set up on this workstation.</source>
        <translation>Auf diesem Arbeitsplatz ist kein Drucker eingerichtet.</translation>
    </message>
    <message>
        <source>There is no image to print.</source>
        <translation>Es gibt kein Bild zu drucken.</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The page could not be sent to the printer.</source>
        <translation>Die Seite konnte nicht an den Drucker gesendet werden.</translation>
    </message>
</context>
<context>
    <name>SaneScan</name>
    <message>
        <source>The scanner %1 could not be opened. %2</source>
        <translation>Der Scanner %1 konnte nicht geöffnet werden. %2</translation>
    </message>
    <message>
        <source>The scanner stopped: two sheets were pulled in at once, or the paper jammed. The pages scanned so far are kept. Take the sheets out of the scanner, put the ones not scanned back into the feeder and scan the rest.</source>
        <translation>Der Scanner hat angehalten: Es wurden zwei Blätter auf einmal eingezogen oder das Papier hat sich gestaut. Die bisher gescannten Seiten bleiben erhalten. Nehmen Sie die Blätter aus dem Scanner, legen Sie die nicht gescannten wieder in den Einzug und scannen Sie den Rest.</translation>
    </message>
    <message>
        <source>The scanner delivered an image in a form the station cannot read.</source>
        <translation>Der Scanner hat ein Bild in einer Form geliefert, die der Arbeitsplatz nicht lesen kann.</translation>
    </message>
</context>
<context>
    <name>SaneScanner</name>
    <message>
        <source>while listing the scanners</source>
        <translation>beim Auflisten der Scanner</translation>
    </message>
    <message>
        <source>while connecting</source>
        <translation>beim Verbinden</translation>
    </message>
    <message>
        <source>while disconnecting</source>
        <translation>beim Trennen</translation>
    </message>
    <message>
        <source>while sending a page</source>
        <translation>beim Senden einer Seite</translation>
    </message>
    <message>
        <source>when asked to feed the next page</source>
        <translation>auf die Anforderung, die nächste Seite einzuziehen</translation>
    </message>
</context>
<context>
    <name>SaneSession</name>
    <message>
        <source>The document feeder is jammed. Clear the jam and scan again.</source>
        <translation>Im Dokumenteneinzug ist ein Papierstau. Beheben Sie den Stau und scannen Sie erneut.</translation>
    </message>
    <message>
        <source>There is no document in the scanner. Put the prescription on the scanner and scan again.</source>
        <translation>Im Scanner liegt kein Dokument. Legen Sie das Rezept auf den Scanner und scannen Sie erneut.</translation>
    </message>
    <message>
        <source>The scanner cover is open. Close it and scan again.</source>
        <translation>Die Scannerabdeckung ist offen. Schließen Sie sie und scannen Sie erneut.</translation>
    </message>
    <message>
        <source>The scanner could not be reached. Check that it is switched on and connected, then scan again.</source>
        <translation>Der Scanner ist nicht erreichbar. Prüfen Sie, ob er eingeschaltet und angeschlossen ist, und scannen Sie dann erneut.</translation>
    </message>
    <message>
        <source>The scanner is busy. Wait a moment and scan again.</source>
        <translation>Der Scanner ist belegt. Warten Sie einen Moment und scannen Sie erneut.</translation>
    </message>
    <message>
        <source>The scanner ran out of memory. Scan again; if it happens again, switch the scanner off and on.</source>
        <translation>Der Speicher des Scanners ist erschöpft. Scannen Sie erneut; geschieht es wieder, schalten Sie den Scanner aus und wieder ein.</translation>
    </message>
    <message>
        <source>The scanner did not accept the scan. Check that it is switched on and connected, and the scanner under Tools, Configuration.</source>
        <translation>Der Scanner hat den Scanvorgang nicht angenommen. Prüfen Sie, ob er eingeschaltet und angeschlossen ist, und den Scanner unter Extras, Konfiguration.</translation>
    </message>
    <message>
        <source>The station is not allowed to use the scanner.</source>
        <translation>Der Arbeitsplatz darf den Scanner nicht verwenden.</translation>
    </message>
    <message>
        <source>The scanner does not support this kind of scan.</source>
        <translation>Der Scanner unterstützt diese Art von Scan nicht.</translation>
    </message>
    <message>
        <source>The scan was cancelled.</source>
        <translation>Der Scanvorgang wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The scanner is warming up. Wait a moment and scan again.</source>
        <translation>Der Scanner wärmt sich auf. Warten Sie einen Moment und scannen Sie erneut.</translation>
    </message>
    <message>
        <source>The scanner is locked for transport. Unlock it and scan again.</source>
        <translation>Der Scanner ist für den Transport gesperrt. Entsperren Sie ihn und scannen Sie erneut.</translation>
    </message>
    <message>
        <source>The scanner reported an error: %1.</source>
        <translation>Der Scanner hat einen Fehler gemeldet: %1.</translation>
    </message>
</context>
<context>
    <name>SearchResultModel</name>
    <message>
        <source>The search was written for another database engine.</source>
        <translation>Die Suche wurde für ein anderes Datenbanksystem geschrieben.</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>The setting %1 cannot hold a line break</source>
        <translation>Die Einstellung %1 darf keinen Zeilenumbruch enthalten</translation>
    </message>
    <message>
        <source>The setting %1 could not be written to %2</source>
        <translation>Die Einstellung %1 konnte nicht in %2 geschrieben werden</translation>
    </message>
</context>
<context>
    <name>StagingRecovery</name>
    <message>
        <source>the station stopped before this page was filed</source>
        <translation>der Arbeitsplatz wurde beendet, bevor diese Seite abgelegt war</translation>
    </message>
    <message>
        <source>a page beyond the prescriptions of its batch</source>
        <translation>eine Seite über die Rezepte ihres Stapels hinaus</translation>
    </message>
    <message>
        <source>a second page labelled %1</source>
        <translation>eine zweite Seite mit dem Etikett %1</translation>
    </message>
    <message>
        <source>its label names no prescription of its batch</source>
        <translation>ihr Etikett nennt kein Rezept ihres Stapels</translation>
    </message>
    <message>
        <source>not recorded (%1)</source>
        <translation>nicht erfasst (%1)</translation>
    </message>
    <message>
        <source>The station finished what its last run left unfinished:</source>
        <translation>Der Arbeitsplatz hat abgeschlossen, was sein letzter Lauf unerledigt ließ:</translation>
    </message>
    <message>
        <source>%1 page(s) filed under their prescription.</source>
        <translation>%1 Seite(n) beim zugehörigen Rezept abgelegt.</translation>
    </message>
    <message>
        <source>%1 stored image(s) recorded in their prescription&apos;s row.</source>
        <translation>%1 gespeicherte(s) Bild(er) in der Zeile des Rezepts eingetragen.</translation>
    </message>
    <message>
        <source>%1 page(s) kept in the image folder:</source>
        <translation>%1 Seite(n) im Bildordner aufbewahrt:</translation>
    </message>
    <message>
        <source>%1 page(s) could not be filed and stay in the staging folder:</source>
        <translation>Nicht abgelegte Seiten (%1); sie bleiben im Zwischenordner:</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The configuration must be done before using this program. Configure it now?</source>
        <translation>Vor der Verwendung dieses Programms muss es konfiguriert werden. Jetzt konfigurieren?</translation>
    </message>
    <message>
        <source>The database %1 lies on a network file system (%2). Records can be lost there when two programs use it; keep the image folder on a local disk.</source>
        <translation>Die Datenbank %1 liegt auf einem Netzwerkdateisystem (%2). Dort können Datensätze verloren gehen, wenn zwei Programme sie verwenden; legen Sie den Bildordner auf eine lokale Festplatte.</translation>
    </message>
    <message>
        <source>The database %1 is damaged and the station cannot use it (%2).

There is no good backup of it in the folder Backups beside it; ask your administrator for help.</source>
        <translation>Die Datenbank %1 ist beschädigt, die Station kann sie nicht verwenden (%2).

Im Ordner Backups daneben gibt es keine gute Sicherung; bitten Sie Ihren Administrator um Hilfe.</translation>
    </message>
    <message>
        <source>The database %1 is damaged and the station cannot use it (%2).

The newest good backup in the folder Backups is %3 (%4). Restore it now? The damaged file is kept beside it as %5.damaged-&lt;date and time&gt;; prescriptions recorded after the backup must be taken again.

No closes the program.</source>
        <translation>Die Datenbank %1 ist beschädigt, die Station kann sie nicht verwenden (%2).

Die neueste gute Sicherung im Ordner Backups ist %3 (%4). Jetzt wiederherstellen? Die beschädigte Datei bleibt daneben als %5.damaged-&lt;Datum und Uhrzeit&gt; erhalten; nach der Sicherung erfasste Rezepte müssen erneut übernommen werden.

Nein beendet das Programm.</translation>
    </message>
    <message>
        <source>The database server refused the station:

%1

Check the user name, the database name and the password (in ~/.pgpass or a service file) with your administrator; trying again will not help.</source>
        <translation>Der Datenbankserver hat die Station abgewiesen:

%1

Prüfen Sie mit Ihrem Administrator den Benutzernamen, den Datenbanknamen und das Passwort (in ~/.pgpass oder einer Dienstdatei); ein neuer Versuch hilft nicht.</translation>
    </message>
    <message>
        <source>The connection with database cannot be established.

%1</source>
        <translation>Die Verbindung zur Datenbank kann nicht hergestellt werden.

%1</translation>
    </message>
</context>
<context>
    <name>StationDatabase</name>
    <message>
        <source>SQLite file %1</source>
        <translation>SQLite-Datei %1</translation>
    </message>
    <message>
        <source>The station has no image folder in its settings.</source>
        <translation>In den Einstellungen des Arbeitsplatzes ist kein Bildordner angegeben.</translation>
    </message>
    <message>
        <source>The station cannot reach its database server.

%1

Check the network and that the server is running, then choose Yes to try again, or No to close the program.</source>
        <translation>Der Arbeitsplatz erreicht seinen Datenbankserver nicht.

%1

Prüfen Sie das Netzwerk und ob der Server läuft; wählen Sie dann Ja, um es erneut zu versuchen, oder Nein, um das Programm zu schließen.</translation>
    </message>
    <message>
        <source>The daily backup of the database could not be made:
%1

The station goes on working; ask your administrator to look at the folder %2.</source>
        <translation>Die tägliche Sicherung der Datenbank konnte nicht erstellt werden:
%1

Die Station arbeitet weiter; bitten Sie Ihren Administrator, den Ordner %2 zu prüfen.</translation>
    </message>
</context>
<context>
    <name>StationWiring</name>
    <message>
        <source>Pages left by the last run could not be looked at: %1</source>
        <translation>Die vom letzten Lauf hinterlassenen Seiten konnten nicht geprüft werden: %1</translation>
    </message>
</context>
<context>
    <name>SystemInfoTool</name>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Die Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Tellan Marrowby that scans and views prescriptions</source>
        <translation>Tellan Marrowby – scannt und zeigt Rezepte</translation>
    </message>
</context>
<context>
    <name>VerifySettings</name>
    <message>
        <source>the label check mode &quot;%1&quot; is not off, check or require; check is used</source>
        <translation>der Etikettenprüfmodus „%1“ ist weder off, check noch require; check wird verwendet</translation>
    </message>
    <message>
        <source>the label pattern is not usable (%1); the standard pattern is used</source>
        <translation>das Etikettenmuster ist nicht verwendbar (%1); das Standardmuster wird verwendet</translation>
    </message>
</context>
<context>
    <name>quiller::AcquisitionController</name>
    <message>
        <source>No prescription is in the list.</source>
        <translation>Die Liste enthält kein Rezept.</translation>
    </message>
    <message>
        <source>Select a prescription from the list to scan.</source>
        <translation>Wählen Sie in der Liste ein Rezept zum Scannen aus.</translation>
    </message>
    <message>
        <source>A scan is in progress. Wait until it has finished, then scan again.</source>
        <translation>Ein Scanvorgang läuft. Warten Sie, bis er beendet ist, und scannen Sie dann erneut.</translation>
    </message>
    <message>
        <source>Rescan prescription %1?</source>
        <translation>Rezept %1 erneut scannen?</translation>
    </message>
    <message>
        <source>Put the prescription on the scanner.  Then press Ok button.</source>
        <translation>Legen Sie das Rezept auf den Scanner.  Klicken Sie dann auf OK.</translation>
    </message>
    <message>
        <source>A scan is in progress. Wait until it has finished, then scan the rest.</source>
        <translation>Ein Scanvorgang läuft. Warten Sie, bis er beendet ist, und scannen Sie dann den Rest.</translation>
    </message>
    <message>
        <source>Scan the rest works on the prescriptions to be scanned. Leave the viewing list first.</source>
        <translation>Rest scannen arbeitet mit den zu scannenden Rezepten. Verlassen Sie zuerst die Ansichtsliste.</translation>
    </message>
    <message>
        <source>Every prescription of the last batch has been scanned.</source>
        <translation>Alle Rezepte des letzten Stapels sind gescannt.</translation>
    </message>
    <message>
        <source>1 prescription is still being scanned. Stop and exit?</source>
        <translation>1 Rezept wird noch gescannt. Anhalten und beenden?</translation>
    </message>
    <message>
        <source>%1 prescriptions are still being scanned. Stop and exit?</source>
        <translation>%1 Rezepte werden noch gescannt. Anhalten und beenden?</translation>
    </message>
    <message>
        <source>The turned image could not be saved to %1: %2</source>
        <translation>Das gedrehte Bild konnte nicht unter %1 gespeichert werden: %2</translation>
    </message>
</context>
<context>
    <name>quiller::Deletion</name>
    <message>
        <source>You are deleting %1, Continue?</source>
        <translation>Sie löschen %1. Fortfahren?</translation>
    </message>
</context>
<context>
    <name>quiller::EnlargedView</name>
    <message>
        <source>Scanned Image for Prescription %1</source>
        <translation>Gescanntes Bild zu Rezept %1</translation>
    </message>
</context>
<context>
    <name>quiller::GlassPrompts</name>
    <message>
        <source>Place %1 on the glass, then OK</source>
        <translation>Legen Sie %1 auf das Glas und klicken Sie dann auf OK</translation>
    </message>
</context>
<context>
    <name>quiller::KeptPagesView</name>
    <message>
        <source>Kept pages</source>
        <translation>Zurückgelegte Seiten</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Label read</source>
        <translation>Gelesenes Etikett</translation>
    </message>
    <message>
        <source>Kept at</source>
        <translation>Zurückgelegt am</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>Kept page</source>
        <translation>Zurückgelegte Seite</translation>
    </message>
    <message>
        <source>&amp;File under the selected prescription</source>
        <translation>Unter dem ausgewählten Rezept &amp;ablegen</translation>
    </message>
    <message>
        <source>File this page as the image of the prescription selected in the viewing list</source>
        <translation>Diese Seite als Bild des in der Ansichtsliste ausgewählten Rezepts ablegen</translation>
    </message>
    <message>
        <source>Set &amp;aside</source>
        <translation>&amp;Beiseitelegen</translation>
    </message>
    <message>
        <source>Move this page to the Discarded folder; it is not erased</source>
        <translation>Verschiebt diese Seite in den Ordner Discarded; sie wird nicht gelöscht</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Select the prescription in the viewing list first, then file the page under it.</source>
        <translation>Wählen Sie zuerst das Rezept in der Ansichtsliste aus und legen Sie die Seite dann darunter ab.</translation>
    </message>
    <message>
        <source>Set this page aside? It moves to the Discarded folder and is no longer listed here.</source>
        <translation>Diese Seite beiseitelegen? Sie wird in den Ordner Discarded verschoben und hier nicht mehr aufgeführt.</translation>
    </message>
</context>
<context>
    <name>quiller::Preview</name>
    <message>
        <source>Rx Image of Rx# %1</source>
        <translation>Rezeptbild zu Rezept Nr. %1</translation>
    </message>
    <message>
        <source>Rx Image</source>
        <translation>Rezeptbild</translation>
    </message>
</context>
<context>
    <name>quiller::QuillerApplication</name>
    <message>
        <source>Run-time error %1:

%2</source>
        <translation>Laufzeitfehler %1:

%2</translation>
    </message>
</context>
<context>
    <name>quiller::SaneScanner</name>
    <message>
        <source>The scanner %1 did not answer %2. The batch was stopped; the pages scanned so far are kept. Check that the scanner is switched on and connected, then scan the rest.</source>
        <translation>Der Scanner %1 hat %2 nicht geantwortet. Der Stapel wurde angehalten; die bisher gescannten Seiten bleiben erhalten. Prüfen Sie, ob der Scanner eingeschaltet und angeschlossen ist, und scannen Sie dann den Rest.</translation>
    </message>
    <message>
        <source>The scanner is already scanning.</source>
        <translation>Der Scanner scannt bereits.</translation>
    </message>
    <message>
        <source>No scanner is available. Choose a scanner under Tools, Configuration.</source>
        <translation>Es ist kein Scanner verfügbar. Wählen Sie einen Scanner unter Extras, Konfiguration.</translation>
    </message>
</context>
<context>
    <name>quiller::ScannerControl</name>
    <message>
        <source>There is no image %1 in the buffer.</source>
        <translation>Im Zwischenspeicher gibt es kein Bild %1.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Images can only be turned by multiples of 90 degrees.</source>
        <translation>Bilder lassen sich nur in Schritten von 90 Grad drehen.</translation>
    </message>
    <message>
        <source>The image cannot be turned: %1</source>
        <translation>Das Bild kann nicht gedreht werden: %1</translation>
    </message>
</context>
<context>
    <name>quiller::ScannerStartup</name>
    <message>
        <source>Configuration is not completed yet. Restart this program and complete configuration first.</source>
        <translation>Die Konfiguration ist noch nicht abgeschlossen. Starten Sie das Programm neu und schließen Sie zuerst die Konfiguration ab.</translation>
    </message>
    <message>
        <source>The configured scanner is not available. Choose a scanner under Tools, Configuration.</source>
        <translation>Der konfigurierte Scanner ist nicht verfügbar. Wählen Sie einen Scanner unter Extras, Konfiguration.</translation>
    </message>
    <message>
        <source>The configured scanner %1 is not connected. Check that it is switched on and connected, or choose a scanner under Tools, Configuration.</source>
        <translation>Der konfigurierte Scanner %1 ist nicht angeschlossen. Prüfen Sie, ob er eingeschaltet und angeschlossen ist, oder wählen Sie einen Scanner unter Extras, Konfiguration.</translation>
    </message>
    <message>
        <source>Image %1 (%2 x %3 x %4 bpp )</source>
        <translation>Bild %1 (%2 x %3 x %4 bpp )</translation>
    </message>
    <message>
        <source>Image %1 (%2 x %3 x %4 bpp)</source>
        <translation>Bild %1 (%2 x %3 x %4 bpp)</translation>
    </message>
    <message>
        <source>Start scanner</source>
        <translation>Scanner wird gestartet</translation>
    </message>
    <message>
        <source>Start device</source>
        <translation>Gerät wird gestartet</translation>
    </message>
</context>
<context>
    <name>quiller::SearchList</name>
    <message>
        <source>The database is not open.</source>
        <translation>Die Datenbank ist nicht geöffnet.</translation>
    </message>
</context>
<context>
    <name>quiller::SearchResultModel</name>
    <message>
        <source>Rx Number</source>
        <translation>Rezeptnummer</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Drug Name</source>
        <translation>Arzneimittel</translation>
    </message>
    <message>
        <source>Patient</source>
        <translation>Patient</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
</context>
<context>
    <name>quiller::StationCore</name>
    <message>
        <source>No scanner is available. Choose a scanner under Tools, Configuration.</source>
        <translation>Es ist kein Scanner verfügbar. Wählen Sie einen Scanner unter Extras, Konfiguration.</translation>
    </message>
    <message>
        <source>Looking for items to be scanned.</source>
        <translation>Suche nach zu scannenden Rezepten.</translation>
    </message>
    <message>
        <source>Clear images in buffer</source>
        <translation>Bilder im Zwischenspeicher werden gelöscht</translation>
    </message>
    <message>
        <source>Acquire images</source>
        <translation>Bilder werden erfasst</translation>
    </message>
    <message>
        <source>No document loaded, waiting ...</source>
        <translation>Kein Dokument eingelegt, warte ...</translation>
    </message>
    <message>
        <source>No paper was put into the feeder in time.</source>
        <translation>Es wurde nicht rechtzeitig Papier in den Einzug gelegt.</translation>
    </message>
    <message>
        <source>Acquiring image ...</source>
        <translation>Bild wird erfasst ...</translation>
    </message>
    <message>
        <source>A page arrived outside of any scan; it stays in %1: %2</source>
        <translation>Eine Seite kam außerhalb eines Scanvorgangs an; sie bleibt in %1: %2</translation>
    </message>
    <message>
        <source>A page arrived outside of any scan; it is kept as %1</source>
        <translation>Eine Seite kam außerhalb eines Scanvorgangs an; sie wird als %1 aufbewahrt</translation>
    </message>
    <message>
        <source>not recorded (%1); its page stays in the staging folder: %2</source>
        <translation>nicht erfasst (%1); seine Seite bleibt im Zwischenordner: %2</translation>
    </message>
    <message>
        <source>not recorded (%1)</source>
        <translation>nicht erfasst (%1)</translation>
    </message>
    <message>
        <source>Saving image file %1</source>
        <translation>Bilddatei %1 wird gespeichert</translation>
    </message>
    <message>
        <source>(page %1 stays in the staging folder: %2)</source>
        <translation>(Seite %1 bleibt im Zwischenordner: %2)</translation>
    </message>
    <message>
        <source>Reading the labels of the last pages ...</source>
        <translation>Die Etiketten der letzten Seiten werden gelesen ...</translation>
    </message>
    <message>
        <source>two labels</source>
        <translation>zwei Etiketten</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Scanning: image %1 of %2</source>
        <translation>Scannen: Bild %1 von %2</translation>
    </message>
    <message>
        <source>Nothing was scanned: scanned pages cannot be kept on disk until they are filed. %1</source>
        <translation>Es wurde nichts gescannt: Gescannte Seiten können bis zur Ablage nicht auf der Festplatte gesichert werden. %1</translation>
    </message>
    <message>
        <source>a second page labelled %1</source>
        <translation>eine zweite Seite mit dem Etikett %1</translation>
    </message>
    <message>
        <source>The database server is back: %1 waiting page(s) filed.</source>
        <translation>Der Datenbankserver ist wieder da: wartende Seiten abgelegt (%1).</translation>
    </message>
    <message>
        <source>The database server is back, but these pages could not be filed:
%1</source>
        <translation>Der Datenbankserver ist wieder da, aber diese Seiten konnten nicht abgelegt werden:
%1</translation>
    </message>
</context>
<context>
    <name>quiller::ToBeScannedList</name>
    <message>
        <source>%1 - not recorded: %2</source>
        <translation>%1 - nicht erfasst: %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>Nicht erfasst: %1</translation>
    </message>
</context>
<context>
    <name>quiller::frmAbout</name>
    <message>
        <source>About Marrowby</source>
        <translation>Über Marrowby</translation>
    </message>
    <message>
        <source>This application is for scanning prescriptions from Tellan Calvora software.</source>
        <translation>Diese Anwendung dient zum Scannen der Rezepte aus der Software Tellan Calvora.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminformationen...</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>This program stores and shows prescription images only. It does not check, change or fill prescriptions; every prescription remains the responsibility of the dispensing pharmacist.</source>
        <translation>Dieses Programm speichert und zeigt nur Rezeptbilder. Es prüft, ändert oder beliefert keine Rezepte; jedes Rezept bleibt in der Verantwortung des abgebenden Apothekers.</translation>
    </message>
</context>
<context>
    <name>quiller::frmConfiguration</name>
    <message>
        <source>The scanner unique ID must be exactly one letter or digit: data files for this station are those whose name begins with it.</source>
        <translation>Die eindeutige Kennung des Scanners muss genau ein Buchstabe oder eine Ziffer sein: Datendateien für diesen Arbeitsplatz sind die, deren Name damit beginnt.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>&amp;Scanner</source>
        <translation>&amp;Scanner</translation>
    </message>
    <message>
        <source>&amp;Where to save images</source>
        <translation>&amp;Bilder speichern in</translation>
    </message>
    <message>
        <source>&amp;Rx file interchange path</source>
        <translation>Austauschordner für &amp;Rezeptdateien</translation>
    </message>
    <message>
        <source>Scanner &amp;unique ID</source>
        <translation>&amp;Kennung des Scanners</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>Database in use</source>
        <translation>Verwendete Datenbank</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Browse for the image folder</source>
        <translation>Bildordner suchen</translation>
    </message>
    <message>
        <source>Browse for the interchange folder</source>
        <translation>Austauschordner suchen</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>Aktualisi&amp;eren</translation>
    </message>
    <message>
        <source>The scanner the prescriptions are scanned with. Refresh lists the scanners connected now.</source>
        <translation>Der Scanner, mit dem die Rezepte gescannt werden. Aktualisieren listet die jetzt angeschlossenen Scanner auf.</translation>
    </message>
    <message>
        <source>The folder where the scanned prescription images are stored. The station&apos;s database file is kept in the same folder.</source>
        <translation>Der Ordner, in dem die gescannten Rezeptbilder gespeichert werden. Die Datenbankdatei des Arbeitsplatzes liegt im selben Ordner.</translation>
    </message>
    <message>
        <source>The shared folder into which the pharmacy system writes the data files of filled prescriptions for this station.</source>
        <translation>Der freigegebene Ordner, in den das Apothekensystem die Datendateien der belieferten Rezepte für diesen Arbeitsplatz schreibt.</translation>
    </message>
    <message>
        <source>One letter or digit that names this station: it takes the data files whose name begins with it.</source>
        <translation>Ein Buchstabe oder eine Ziffer als Name dieses Arbeitsplatzes: Er übernimmt die Datendateien, deren Name damit beginnt.</translation>
    </message>
    <message>
        <source>Choose the folder where images are stored.</source>
        <translation>Den Ordner wählen, in dem die Bilder gespeichert werden.</translation>
    </message>
    <message>
        <source>Choose the folder the pharmacy system writes its data files to.</source>
        <translation>Den Ordner wählen, in den das Apothekensystem seine Datendateien schreibt.</translation>
    </message>
    <message>
        <source>Look again for connected scanners.</source>
        <translation>Erneut nach angeschlossenen Scannern suchen.</translation>
    </message>
    <message>
        <source>Where the station keeps its records. It is set by the administrator and not changed here.</source>
        <translation>Wo der Arbeitsplatz seine Datensätze speichert. Dies legt der Administrator fest; es wird hier nicht geändert.</translation>
    </message>
    <message>
        <source>Tell the station which scanner to use, where to store the prescription images and where the pharmacy system leaves the prescriptions to be scanned. Every field can be changed later under Tools, Configuration.</source>
        <translation>Legen Sie fest, welchen Scanner der Arbeitsplatz verwendet, wo er die Rezeptbilder speichert und wo das Apothekensystem die zu scannenden Rezepte ablegt. Alle Felder lassen sich später unter Extras, Konfiguration ändern.</translation>
    </message>
    <message>
        <source>SQLite file in the image folder, once it is chosen</source>
        <translation>SQLite-Datei im Bildordner, sobald er gewählt ist</translation>
    </message>
    <message>
        <source>SQLite file %1</source>
        <translation>SQLite-Datei %1</translation>
    </message>
    <message>
        <source>Select a scanner.</source>
        <translation>Wählen Sie einen Scanner aus.</translation>
    </message>
    <message>
        <source>Where to save image files?</source>
        <translation>Wo sollen die Bilddateien gespeichert werden?</translation>
    </message>
    <message>
        <source>Where to get prescription data files?</source>
        <translation>Woher sollen die Rezeptdatendateien kommen?</translation>
    </message>
    <message>
        <source>The folder %1 does not exist yet. Create it?</source>
        <translation>Der Ordner %1 existiert noch nicht. Anlegen?</translation>
    </message>
    <message>
        <source>The folder %1 is not accessible or does not exist.</source>
        <translation>Der Ordner %1 ist nicht zugänglich oder existiert nicht.</translation>
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
        <translation>S&amp;cannen</translation>
    </message>
    <message>
        <source>V&amp;iew</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>Ready to Scan</source>
        <translation>Bereit zum Scannen</translation>
    </message>
    <message>
        <source>Readiness</source>
        <translation>Bereitschaft</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Page Set&amp;up...</source>
        <translation>Seite ein&amp;richten...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>&amp;Neu starten</translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation>&amp;Konfiguration</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Technical Support</source>
        <translation>&amp;Technischer Support</translation>
    </message>
    <message>
        <source>&amp;About </source>
        <translation>Ü&amp;ber </translation>
    </message>
    <message>
        <source>&amp;SysTray</source>
        <translation>&amp;Infobereich</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Image %v of %m</source>
        <translation>Bild %v von %m</translation>
    </message>
    <message>
        <source>Not Ready to Scan</source>
        <translation>Nicht bereit zum Scannen</translation>
    </message>
    <message>
        <source>Rx Image</source>
        <translation>Rezeptbild</translation>
    </message>
    <message>
        <source>View scanned images</source>
        <translation>Gescannte Bilder ansehen</translation>
    </message>
    <message>
        <source>Find a prescription</source>
        <translation>Rezept suchen</translation>
    </message>
</context>
<context>
    <name>quiller::frmScan</name>
    <message>
        <source>Rx Number</source>
        <translation>Rezeptnummer</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Drug Name</source>
        <translation>Arzneimittel</translation>
    </message>
    <message>
        <source>Patient</source>
        <translation>Patient</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>Scanning Prescriptions</source>
        <translation>Rezepte scannen</translation>
    </message>
    <message>
        <source>Prescriptions to be scanned</source>
        <translation>Zu scannende Rezepte</translation>
    </message>
    <message>
        <source>Rx image</source>
        <translation>Rezeptbild</translation>
    </message>
    <message>
        <source>Double click the image to view larger picture</source>
        <translation>Doppelklicken Sie auf das Bild, um es vergrößert anzuzeigen</translation>
    </message>
    <message>
        <source>Scanner</source>
        <translation>Scanner</translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation>&amp;Scannen</translation>
    </message>
    <message>
        <source>&amp;Rotate</source>
        <translation>&amp;Drehen</translation>
    </message>
    <message>
        <source>&amp;View Larger Image/Print</source>
        <translation>&amp;Vergrößern/Drucken</translation>
    </message>
    <message>
        <source>Scan &amp;the rest</source>
        <translation>&amp;Rest scannen</translation>
    </message>
    <message>
        <source>Scan the prescriptions of the last batch that were not scanned, in one go</source>
        <translation>Die nicht gescannten Rezepte des letzten Stapels in einem Durchgang scannen</translation>
    </message>
    <message>
        <source>Sto&amp;p waiting for paper</source>
        <translation>Warten auf &amp;Papier beenden</translation>
    </message>
    <message>
        <source>End the batch now; its prescriptions are reported as not scanned and can be scanned later</source>
        <translation>Den Stapel jetzt beenden; seine Rezepte werden als nicht gescannt gemeldet und können später gescannt werden</translation>
    </message>
    <message>
        <source>No images</source>
        <translation>Keine Bilder</translation>
    </message>
    <message>
        <source>Search for</source>
        <translation>Suchen nach</translation>
    </message>
    <message>
        <source>From fill date</source>
        <translation>Abgabedatum von</translation>
    </message>
    <message>
        <source>To fill date</source>
        <translation>Abgabedatum bis</translation>
    </message>
    <message>
        <source>Prescriptions to be viewed</source>
        <translation>Anzuzeigende Rezepte</translation>
    </message>
    <message>
        <source>Prescription image</source>
        <translation>Rezeptbild</translation>
    </message>
    <message>
        <source>Search by</source>
        <translation>Suchen nach</translation>
    </message>
    <message>
        <source>Search text</source>
        <translation>Suchtext</translation>
    </message>
    <message>
        <source>Drug</source>
        <translation>Arzneimittel</translation>
    </message>
    <message>
        <source>Not scanned</source>
        <translation>Nicht gescannt</translation>
    </message>
    <message>
        <source>&amp;Kept pages</source>
        <translation>&amp;Zurückgelegte Seiten</translation>
    </message>
    <message>
        <source>Pages kept apart in the Unmatched folder: file them under a prescription or set them aside</source>
        <translation>Im Ordner Unmatched zurückgelegte Seiten: unter einem Rezept ablegen oder beiseitelegen</translation>
    </message>
</context>
<context>
    <name>quiller::frmShowPic</name>
    <message>
        <source>Scanned Image for Prescription</source>
        <translation>Gescanntes Bild zum Rezept</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>The page could not be sent to the printer.</source>
        <translation>Die Seite konnte nicht an den Drucker gesendet werden.</translation>
    </message>
    <message>
        <source>No printer is available.</source>
        <translation>Es ist kein Drucker verfügbar.</translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>The image could not be printed. </source>
        <translation>Das Bild konnte nicht gedruckt werden. </translation>
    </message>
    <message>
        <source>The image was sent to the printer %1.</source>
        <translation>Das Bild wurde an den Drucker %1 gesendet.</translation>
    </message>
    <message>
        <source>The image was saved as %1.</source>
        <translation>Das Bild wurde als %1 gespeichert.</translation>
    </message>
    <message>
        <source>Print Preview - %1</source>
        <translation>Druckvorschau - %1</translation>
    </message>
</context>
<context>
    <name>quiller::frmSupport</name>
    <message>
        <source>Technical Support</source>
        <translation>Technischer Support</translation>
    </message>
    <message>
        <source>If you have questions, please contact</source>
        <translation>Bei Fragen wenden Sie sich bitte an</translation>
    </message>
    <message>
        <source>Telephone: </source>
        <translation>Telefon: </translation>
    </message>
    <message>
        <source>Fax: </source>
        <translation>Fax: </translation>
    </message>
    <message>
        <source>E-mail: </source>
        <translation>E-Mail: </translation>
    </message>
</context>
</TS>
