<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Acquisition</name>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 (its page is kept as %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check the [verify] settings: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 prescriptions scanned and stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not stored:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages kept apart, in the image folder as: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stopped before their page came: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not scanned: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 extra page(s) belonged to no prescription of this scan and were kept in the image folder as: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;quiller --help&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quiller: prescription image scanning station for a pharmacy.
Log: $XDG_STATE_HOME/Quiller/quiller.log (~/.local/state/Quiller/quiller.log).
Settings: ~/.config/Quiller/Quiller.conf; station-wide defaults in /etc/xdg/Quiller/Quiller.conf.
Qt&apos;s standard options (-platform, -style, -reverse, -qwindowgeometry, ...) are accepted as well.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use FILE as the settings file instead of the user&apos;s Quiller.conf.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy this station&apos;s records (the database file in its image folder) into the PostgreSQL database CONNECTION (postgresql://user@host:port/name) and exit. Safe to run again; the file is not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the audit trail (who accessed which prescription) as CSV and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --audit: from this day (YYYY-MM-DD).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --audit: to this day (YYYY-MM-DD).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>With --audit: only prescription number N.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove audit rows older than DATE (YYYY-MM-DD) and exit; rows younger than the kept years ([audit] KeepYears, 7) are never removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore the deleted prescription RX-REFILL (e.g. 123-01) and its image and exit.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: quiller [options]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date (YYYY-MM-DD)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DataFolder</name>
    <message>
        <source>Cannot list %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the data file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read the data file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DataPrivacy</name>
    <message>
        <source>The station identifier &quot;%1&quot; in the settings cannot be used: it must be one letter or digit, the first character of the data files addressed to this station. Choose it in the configuration.</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Error Number: 	%1<byte value="xd"/>
Description: 	%2<byte value="xd"/>
Error Source: 	%3<byte value="xd"/>
Last DLL Error: 	%4</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>File not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot copy %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot delete %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot reach %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot set the permissions of %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FillList</name>
    <message>
        <source>The database is not open.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>GetDirectory</name>
    <message>
        <source>Select a directory, then click OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageStore</name>
    <message>
        <source>the image folder %1 is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the page could not be named in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the page could not be kept either: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its image name would leave the image folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the database is not open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its image name is taken by something that is not an image file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the scanned page is missing from the staging folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the image it replaces could not be moved to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the page could not be given its name %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its prescription is no longer recorded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its row could not be updated: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LabelPattern</name>
    <message>
        <source>the label pattern is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the label pattern &quot;%1&quot; is not a valid regular expression: %2 at position %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the label pattern &quot;%1&quot; has no group named rx (write (?&lt;rx&gt;...) around the Rx number)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LockFile</name>
    <message>
        <source>Cannot write the lock file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageFiling</name>
    <message>
        <source>duplicate: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>label of another prescription: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>two labels: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>several labels: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>label without its refill: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>label </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>labels </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>labels of other prescriptions: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 without label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>verified by its label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>verified by their label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>filed by position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kept as unmatched</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kept apart as a duplicate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kept apart as duplicates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no page for </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageStaging</name>
    <message>
        <source>The image folder %1 is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot make the staging folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The staging folder %1 is in use by another run of this station.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write the staging journal %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The staging folder is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write the staging journal in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A scanned page could not be kept on disk: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the staging folder is not open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PatientRecords</name>
    <message>
        <source>The database is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot move %1 to %2: the name is taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot move %1 to %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prescription %1-%2 is no longer recorded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No deleted prescription %1 is kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The deleted record of %1 names an image outside the image folder; it is left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restored prescription %1 (deleted %2 on station %3 by %4).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restored prescription %1 (deleted %2 on station %3 by %4) with its image %5.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The station has no image folder in its settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no database %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Audit rows are kept for %1 years: only rows older than %2 may be removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1 audit rows older than %2.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PollingTick</name>
    <message>
        <source>Cannot rename the data file %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database %1 is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its Rx number or refill holds characters an image file name cannot have</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the database refused it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data file %1: %2 line(s) taken, %3 refused.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None of its prescriptions is listed for scanning.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The refused prescriptions stay listed, marked &quot;not recorded&quot;; their pages are kept in the image folder&apos;s Unmatched folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is kept as %1 in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open and read data files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Idle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>. Click Restart from Tools menu to start again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>Page Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SaneScan</name>
    <message>
        <source>The scanner %1 could not be opened. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner stopped: two sheets were pulled in at once, or the paper jammed. The pages scanned so far are kept. Take the sheets out of the scanner, put the ones not scanned back into the feeder and scan the rest.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner delivered an image in a form the station cannot read.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SaneScanner</name>
    <message>
        <source>while listing the scanners</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>while connecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>while disconnecting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>while sending a page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>when asked to feed the next page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SaneSession</name>
    <message>
        <source>The document feeder is jammed. Clear the jam and scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no document in the scanner. Put the prescription on the scanner and scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner cover is open. Close it and scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner could not be reached. Check that it is switched on and connected, then scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner is busy. Wait a moment and scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner ran out of memory. Scan again; if it happens again, switch the scanner off and on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner did not accept the scan. Check that it is switched on and connected, and the scanner under Tools, Configuration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The station is not allowed to use the scanner.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner does not support this kind of scan.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scan was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner is warming up. Wait a moment and scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner is locked for transport. Unlock it and scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner reported an error: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StagingRecovery</name>
    <message>
        <source>the station stopped before this page was filed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a page beyond the prescriptions of its batch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a second page labelled %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its label names no prescription of its batch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not recorded (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The station finished what its last run left unfinished:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 page(s) filed under their prescription.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 stored image(s) recorded in their prescription&apos;s row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 page(s) kept in the image folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 page(s) could not be filed and stay in the staging folder:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The configuration must be done before using this program. Configure it now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database %1 is damaged and the station cannot use it (%2).

Ask your administrator to restore the latest copy from the folder Backups beside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database %1 lies on a network file system (%2). Records can be lost there when two programs use it; keep the image folder on a local disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection with database cannot be established.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StationDatabase</name>
    <message>
        <source>SQLite file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The station has no image folder in its settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The station cannot reach its database server.

%1

Check the network and that the server is running, then choose Yes to try again, or No to close the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copied %1 to %2: %3 rows (%4 prescriptions); %5 added, %6 updated, %7 kept as the server had them with an image; the server holds %8 rows (%9 before).
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StationWiring</name>
    <message>
        <source>Pages left by the last run could not be looked at: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Tellan Marrowby that scans and views prescriptions</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VerifySettings</name>
    <message>
        <source>the label check mode &quot;%1&quot; is not off, check or require; check is used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the label pattern is not usable (%1); the standard pattern is used</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::AcquisitionController</name>
    <message>
        <source>No prescription is in the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a prescription from the list to scan.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A scan is in progress. Wait until it has finished, then scan again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rescan prescription %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put the prescription on the scanner.  Then press Ok button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A scan is in progress. Wait until it has finished, then scan the rest.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan the rest works on the prescriptions to be scanned. Leave the viewing list first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every prescription of the last batch has been scanned.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 prescription is still being scanned. Stop and exit?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 prescriptions are still being scanned. Stop and exit?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The turned image could not be saved to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::Deletion</name>
    <message>
        <source>You are deleting %1, Continue?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::EnlargedView</name>
    <message>
        <source>Scanned Image for Prescription %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::GlassPrompts</name>
    <message>
        <source>Place %1 on the glass, then OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::Preview</name>
    <message>
        <source>Rx Image of Rx# %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rx Image</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::QuillerApplication</name>
    <message>
        <source>Run-time error %1:

%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::SaneScanner</name>
    <message>
        <source>The scanner list did not answer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner %1 did not answer %2. The batch was stopped; the pages scanned so far are kept. Check that the scanner is switched on and connected, then scan the rest.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner is already scanning.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No scanner is available. Choose a scanner under Tools, Configuration.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::ScannerControl</name>
    <message>
        <source>There is no image %1 in the buffer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images can only be turned by multiples of 90 degrees.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image cannot be turned: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::ScannerStartup</name>
    <message>
        <source>Configuration is not completed yet. Restart this program and complete configuration first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configured scanner is not available. Choose a scanner under Tools, Configuration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configured scanner %1 is not connected. Check that it is switched on and connected, or choose a scanner under Tools, Configuration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image %1 (%2 x %3 x %4 bpp )</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image %1 (%2 x %3 x %4 bpp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start scanner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start device</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::SearchList</name>
    <message>
        <source>The database is not open.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::SearchResultModel</name>
    <message>
        <source>Rx Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drug Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Patient</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::SimulatedScanner</name>
    <message>
        <source>The image cannot be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image cannot be rotated.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::StationCore</name>
    <message>
        <source>No scanner is available. Choose a scanner under Tools, Configuration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for items to be scanned.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear images in buffer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquire images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No document loaded, waiting ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was scanned: scanned pages cannot be kept on disk until they are filed. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No paper was put into the feeder in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acquiring image ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A page arrived outside of any scan; it stays in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A page arrived outside of any scan; it is kept as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not recorded (%1); its page stays in the staging folder: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not recorded (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving image file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(page %1 stays in the staging folder: %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the labels of the last pages ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>two labels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Idle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning: image %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::ToBeScannedList</name>
    <message>
        <source>%1 - not recorded: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::frmAbout</name>
    <message>
        <source>About Marrowby</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This application is for scanning prescriptions from Tellan Calvora software.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This program stores and shows prescription images only. It does not check, change or fill prescriptions; every prescription remains the responsibility of the dispensing pharmacist.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::frmConfiguration</name>
    <message>
        <source>The scanner unique ID must be exactly one letter or digit: data files for this station are those whose name begins with it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Scanner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Where to save images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rx file interchange path</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanner &amp;unique ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database in use</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for the image folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse for the interchange folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scanner the prescriptions are scanned with. Refresh lists the scanners connected now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder where the scanned prescription images are stored. The station&apos;s database file is kept in the same folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The shared folder into which the pharmacy system writes the data files of filled prescriptions for this station.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>One letter or digit that names this station: it takes the data files whose name begins with it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the folder where images are stored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the folder the pharmacy system writes its data files to.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Look again for connected scanners.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where the station keeps its records. It is set by the administrator and not changed here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tell the station which scanner to use, where to store the prescription images and where the pharmacy system leaves the prescriptions to be scanned. Every field can be changed later under Tools, Configuration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SQLite file in the image folder, once it is chosen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SQLite file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a scanner.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where to save image files?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where to get prescription data files?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 does not exist yet. Create it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 is not accessible or does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database in %1 cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::frmMain</name>
    <message>
        <source>Tellan Rx Image Scan (V.%1.%2.%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tellan Rx Image Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;can</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V&amp;iew</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready to Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readiness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Set&amp;up...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Technical Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;SysTray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image %v of %m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The scan window could not be closed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Ready to Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rx Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View scanned images</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::frmScan</name>
    <message>
        <source>Rx Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drug Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Patient</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning Prescriptions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prescriptions to be scanned</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rx image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Double click the image to view larger picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rotate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View Larger Image/Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan &amp;the rest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan the prescriptions of the last batch that were not scanned, in one go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sto&amp;p waiting for paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End the batch now; its prescriptions are reported as not scanned and can be scanned later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From fill date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To fill date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prescriptions to be viewed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prescription image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not scanned</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::frmShowPic</name>
    <message>
        <source>Scanned Image for Prescription</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No default printer is set up on this workstation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page could not be sent to the printer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer is available.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image was sent to the printer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The image could not be printed. %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quiller::frmSupport</name>
    <message>
        <source>Technical Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If you have questions, please contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Telephone: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fax: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E-mail: </source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
