<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Acquisition</name>
    <message>
        <source>and %1 more</source>
        <translation>et %1 de plus</translation>
    </message>
    <message>
        <source>%1: %2 (its page is kept as %3)</source>
        <translation>%1 : %2 (sa page est conservée sous %3)</translation>
    </message>
    <message>
        <source>Check the [verify] settings: %1.</source>
        <translation>Vérifiez les réglages [verify] : %1.</translation>
    </message>
    <message>
        <source>%1 of %2 prescriptions scanned and stored.</source>
        <translation>%1 ordonnances sur %2 numérisées et enregistrées.</translation>
    </message>
    <message>
        <source>Stopped: %1</source>
        <translation>Arrêté : %1</translation>
    </message>
    <message>
        <source>Not stored:</source>
        <translation>Non enregistrées :</translation>
    </message>
    <message>
        <source>Pages kept apart, in the image folder as: %1</source>
        <translation>Pages mises à part, dans le dossier des images sous : %1</translation>
    </message>
    <message>
        <source>Stopped before their page came: %1</source>
        <translation>Arrêté avant l&apos;arrivée de leur page : %1</translation>
    </message>
    <message>
        <source>Not scanned: %1</source>
        <translation>Non numérisées : %1</translation>
    </message>
    <message>
        <source>%1 extra page(s) belonged to no prescription of this scan and were kept in the image folder as: %2</source>
        <translation>Pages en trop (%1) : elles n&apos;appartenaient à aucune ordonnance de cette numérisation et ont été conservées dans le dossier des images sous : %2</translation>
    </message>
    <message>
        <source>%1 filed from an earlier batch.</source>
        <translation>%1 classée depuis un lot précédent.</translation>
    </message>
    <message>
        <source>The database server is unavailable: the pages of %1 wait in the staging folder and are filed as soon as it is back.</source>
        <translation>Le serveur de base de données est indisponible : les pages de %1 attendent dans le dossier d&apos;attente et seront classées dès son retour.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;quiller --help&apos;.</source>
        <translation>Essayez « quiller --help ».</translation>
    </message>
    <message>
        <source>Quiller: prescription image scanning station for a pharmacy.
Log: $XDG_STATE_HOME/Quiller/quiller.log (~/.local/state/Quiller/quiller.log).
Settings: ~/.config/Quiller/Quiller.conf; station-wide defaults in /etc/xdg/Quiller/Quiller.conf.
Qt&apos;s standard options (-platform, -style, -reverse, -qwindowgeometry, ...) are accepted as well.</source>
        <translation>Quiller : poste de numérisation des ordonnances pour la pharmacie.
Journal : $XDG_STATE_HOME/Quiller/quiller.log (~/.local/state/Quiller/quiller.log).
Réglages : ~/.config/Quiller/Quiller.conf ; valeurs par défaut pour tout le poste dans /etc/xdg/Quiller/Quiller.conf.
Les options standard de Qt (-platform, -style, -reverse, -qwindowgeometry, ...) sont également acceptées.</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Affiche cette aide et quitte.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Affiche la version et quitte.</translation>
    </message>
    <message>
        <source>Use FILE as the settings file instead of the user&apos;s Quiller.conf.</source>
        <translation>Utilise FILE comme fichier de réglages au lieu du Quiller.conf de l&apos;utilisateur.</translation>
    </message>
    <message>
        <source>Print the audit trail (who accessed which prescription) as CSV and exit.</source>
        <translation>Affiche le journal d&apos;audit (qui a consulté quelle ordonnance) au format CSV et quitte.</translation>
    </message>
    <message>
        <source>With --audit: from this day (YYYY-MM-DD).</source>
        <translation>Avec --audit : à partir de ce jour (AAAA-MM-JJ).</translation>
    </message>
    <message>
        <source>With --audit: to this day (YYYY-MM-DD).</source>
        <translation>Avec --audit : jusqu&apos;à ce jour (AAAA-MM-JJ).</translation>
    </message>
    <message>
        <source>With --audit: only prescription number N.</source>
        <translation>Avec --audit : seulement l&apos;ordonnance numéro N.</translation>
    </message>
    <message>
        <source>Remove audit rows older than DATE (YYYY-MM-DD) and exit; rows younger than the kept years ([audit] KeepYears, 7) are never removed.</source>
        <translation>Supprime les lignes d&apos;audit antérieures à DATE (AAAA-MM-JJ) et quitte ; les lignes plus récentes que la durée de conservation ([audit] KeepYears, 7) ne sont jamais supprimées.</translation>
    </message>
    <message>
        <source>Restore the deleted prescription RX-REFILL (e.g. 123-01) and its image and exit.</source>
        <translation>Restaure l&apos;ordonnance supprimée RX-REFILL (par ex. 123-01) et son image, puis quitte.</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argument inattendu « %1 »</translation>
    </message>
    <message>
        <source>Usage: quiller [options]</source>
        <translation>Utilisation : quiller [options]</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date (YYYY-MM-DD)</source>
        <translation>« %1 » n&apos;est pas une date (AAAA-MM-JJ)</translation>
    </message>
    <message>
        <source>Copy this station&apos;s records (the database file in its image folder) into the PostgreSQL database CONNECTION (postgresql://user@host:port/name, or keyword=value pairs such as service=pharmacy) and exit. Safe to run again; the file is not changed.</source>
        <translation>Copie les enregistrements de ce poste (le fichier de base de données de son dossier d’images) dans la base PostgreSQL CONNECTION (postgresql://utilisateur@hôte:port/nom, ou des paires clé=valeur comme service=pharmacy) puis quitte. Peut être relancé sans risque ; le fichier n’est pas modifié.</translation>
    </message>
</context>
<context>
    <name>DataFolder</name>
    <message>
        <source>Cannot list %1</source>
        <translation>Impossible de lister %1</translation>
    </message>
    <message>
        <source>Cannot open the data file %1</source>
        <translation>Impossible d&apos;ouvrir le fichier de données %1</translation>
    </message>
    <message>
        <source>Cannot read the data file %1: %2</source>
        <translation>Impossible de lire le fichier de données %1 : %2</translation>
    </message>
    <message>
        <source>Path not found: %1</source>
        <translation>Chemin introuvable : %1</translation>
    </message>
</context>
<context>
    <name>DataPrivacy</name>
    <message>
        <source>The station identifier &quot;%1&quot; in the settings cannot be used: it must be one letter or digit, the first character of the data files addressed to this station. Choose it in the configuration.</source>
        <translation>L&apos;identifiant de poste « %1 » des réglages est inutilisable : il doit s&apos;agir d&apos;une seule lettre ou d&apos;un seul chiffre, le premier caractère des fichiers de données destinés à ce poste. Choisissez-le dans la configuration.</translation>
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
        <translation>Les images et les données des ordonnances sont lisibles par tous les comptes de cet ordinateur :
%1

Pour les réserver à ce compte, exécutez :
  chmod -R go-rwx %2
Pour les partager plutôt avec un groupe d&apos;opérateurs, exécutez :
  chgrp -R operators %2
  chmod -R g+rwX,o-rwx %2
  find %2 -type d -exec chmod g+s {} +</translation>
    </message>
</context>
<context>
    <name>Database</name>
    <message>
        <source>SQLite file %1</source>
        <translation>Fichier SQLite %1</translation>
    </message>
    <message>
        <source>Database server unavailable, retrying</source>
        <translation>Serveur de base de données indisponible, nouvelle tentative</translation>
    </message>
    <message>
        <source>The database %1 is damaged: %2. Its backups are in the folder Backups beside it.</source>
        <translation>La base de données %1 est endommagée : %2. Ses sauvegardes sont dans le dossier Backups, à côté d’elle.</translation>
    </message>
    <message>
        <source>The fill date is not a valid date.</source>
        <translation>La date de délivrance n&apos;est pas une date valide.</translation>
    </message>
</context>
<context>
    <name>DatabaseCare</name>
    <message>
        <source>no copy of it could be made: the folder %1 cannot be created</source>
        <translation>aucune copie n’a pu en être faite : le dossier %1 ne peut pas être créé</translation>
    </message>
    <message>
        <source>no copy of it could be made in %1 (%2)</source>
        <translation>aucune copie n’a pu en être faite dans %1 (%2)</translation>
    </message>
    <message>
        <source>no copy of it could be made as %1</source>
        <translation>aucune copie n’a pu en être faite sous le nom %1</translation>
    </message>
    <message>
        <source>it was made by a newer version of the program (schema %1; this version knows %2)</source>
        <translation>elle a été créée par une version plus récente du programme (schéma %1 ; cette version connaît le %2)</translation>
    </message>
    <message>
        <source>The database on the server</source>
        <translation>La base de données du serveur</translation>
    </message>
    <message>
        <source>The database %1</source>
        <translation>La base de données %1</translation>
    </message>
    <message>
        <source>%1 cannot be brought up to date for this version of the program (schema %2 to %3): %4</source>
        <translation>%1 ne peut pas être mise à jour pour cette version du programme (schéma %2 vers %3) : %4</translation>
    </message>
    <message>
        <source>
It was not changed; a copy of it as it was is kept as %1.</source>
        <translation>
Elle n’a pas été modifiée ; une copie de son état antérieur est conservée sous %1.</translation>
    </message>
    <message>
        <source>
It was not changed.</source>
        <translation>
Elle n’a pas été modifiée.</translation>
    </message>
    <message>
        <source>The database is damaged (%1); no backup was made, the older backups are kept.</source>
        <translation>La base de données est endommagée (%1) ; aucune sauvegarde n’a été faite, les sauvegardes précédentes sont conservées.</translation>
    </message>
    <message>
        <source>Cannot write the backup %1: %2</source>
        <translation>Impossible d’écrire la sauvegarde %1 : %2</translation>
    </message>
    <message>
        <source>Cannot write the backup %1</source>
        <translation>Impossible d’écrire la sauvegarde %1</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>ce n’est pas un fichier</translation>
    </message>
    <message>
        <source>the file is empty (0 bytes)</source>
        <translation>le fichier est vide (0 octet)</translation>
    </message>
    <message>
        <source>the file cannot be read (%1)</source>
        <translation>le fichier ne peut pas être lu (%1)</translation>
    </message>
    <message>
        <source>the file is not a database</source>
        <translation>le fichier n’est pas une base de données</translation>
    </message>
    <message>
        <source>it fails its check: </source>
        <translation>elle échoue à sa vérification : </translation>
    </message>
    <message>
        <source>Cannot keep the damaged database %1 aside as %2</source>
        <translation>Impossible de mettre de côté la base de données endommagée %1 sous le nom %2</translation>
    </message>
    <message>
        <source>Another database appeared at %1 meanwhile; the backup was not put in its place</source>
        <translation>Une autre base de données est apparue entre-temps à %1 ; la sauvegarde n’a pas été mise à sa place</translation>
    </message>
    <message>
        <source>Cannot create %1: %2</source>
        <translation>Impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>Cannot create %1</source>
        <translation>Impossible de créer %1</translation>
    </message>
</context>
<context>
    <name>DatabaseCopy</name>
    <message>
        <source>There is no database file %1.</source>
        <translation>Il n’y a pas de fichier de base de données %1.</translation>
    </message>
    <message>
        <source>The copy goes to an open server.</source>
        <translation>La copie doit aller vers un serveur ouvert.</translation>
    </message>
    <message>
        <source>The copy does not add up (%1 of %2 prescriptions found on the server; %3 rows before, %4 added, %5 after).</source>
        <translation>La copie ne tombe pas juste (%1 ordonnances sur %2 trouvées sur le serveur ; %3 lignes avant, %4 ajoutées, %5 après).</translation>
    </message>
    <message>
        <source>Nothing was copied: %1</source>
        <translation>Rien n’a été copié : %1</translation>
    </message>
</context>
<context>
    <name>DatabaseServer</name>
    <message>
        <source>The port &quot;%1&quot; is not a port number.</source>
        <translation>Le port « %1 » n’est pas un numéro de port.</translation>
    </message>
    <message>
        <source>The sslmode &quot;%1&quot; is not one of %2.</source>
        <translation>Le sslmode « %1 » n’est pas l’un de %2.</translation>
    </message>
    <message>
        <source>The connection option %1 cannot hold a &apos;;&apos;.</source>
        <translation>L’option de connexion %1 ne peut pas contenir de &apos;;&apos;.</translation>
    </message>
    <message>
        <source>libpq cannot read it (out of memory)</source>
        <translation>libpq ne peut pas la lire (mémoire épuisée)</translation>
    </message>
    <message>
        <source>The database connection is refused: %1.</source>
        <translation>La connexion à la base de données est refusée : %1.</translation>
    </message>
    <message>
        <source>PostgreSQL database</source>
        <translation>base de données PostgreSQL</translation>
    </message>
    <message>
        <source>PostgreSQL database %1</source>
        <translation>base de données PostgreSQL %1</translation>
    </message>
    <message>
        <source>%1 (service %2)</source>
        <translation>%1 (service %2)</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>%1 as %2</source>
        <translation>%1 en tant que %2</translation>
    </message>
    <message>
        <source>No database connection was given.</source>
        <translation>Aucune connexion à une base de données n’a été indiquée.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a database connection: give a URI (postgresql://user@host:port/database) or keyword=value pairs (service=pharmacy).</source>
        <translation>« %1 » n’est pas une connexion à une base de données : indiquez un URI (postgresql://user@host:port/database) ou des paires mot-clé=valeur (service=pharmacy).</translation>
    </message>
    <message>
        <source>The settings hold the database %1: keep it in ~/.pgpass or a service file instead.</source>
        <translation>Les réglages contiennent le %1 de la base de données : gardez-le plutôt dans ~/.pgpass ou dans un fichier de service.</translation>
    </message>
    <message>
        <source>The database setting &quot;%1&quot; is not known.</source>
        <translation>Le réglage de base de données « %1 » est inconnu.</translation>
    </message>
    <message>
        <source>The PostgreSQL driver of Qt (QPSQL) is not installed: install the package libqt6sql6-psql.</source>
        <translation>Le pilote PostgreSQL de Qt (QPSQL) n’est pas installé : installez le paquet libqt6sql6-psql.</translation>
    </message>
    <message>
        <source>The setting sslmode &quot;%1&quot; is not one of %2.</source>
        <translation>Le réglage sslmode « %1 » n’est pas l’un de %2.</translation>
    </message>
    <message>
        <source>The %1 refused the station: %2%3</source>
        <translation>La %1 a refusé le poste : %2%3</translation>
    </message>
    <message>
        <source>The setting sslmode is refused: %1</source>
        <translation>Le réglage sslmode est refusé : %1</translation>
    </message>
    <message>
        <source>The %1 cannot be reached: %2</source>
        <translation>La %1 est injoignable : %2</translation>
    </message>
    <message>
        <source>The password file %1 is ignored because others may read it: make it readable by its owner only (chmod 600 %1).</source>
        <translation>Le fichier de mots de passe %1 est ignoré car d’autres peuvent le lire : rendez-le lisible par son seul propriétaire (chmod 600 %1).</translation>
    </message>
</context>
<context>
    <name>DatabaseSettings</name>
    <message>
        <source>The database driver &quot;%1&quot; in the settings is not known; use sqlite or postgresql.</source>
        <translation>Le pilote de base de données « %1 » des réglages est inconnu ; utilisez sqlite ou postgresql.</translation>
    </message>
    <message>
        <source>The settings hold a database password ([database] password), which the station never reads there. Remove it and put it in ~/.pgpass (mode 0600).</source>
        <translation>Les réglages contiennent un mot de passe de base de données ([database] password), que le poste n’y lit jamais. Supprimez-le et placez-le dans ~/.pgpass (mode 0600).</translation>
    </message>
    <message>
        <source>The database port &quot;%1&quot; in the settings is not a port number.</source>
        <translation>Le port de base de données « %1 » des réglages n’est pas un numéro de port.</translation>
    </message>
</context>
<context>
    <name>DeletedPrescriptions</name>
    <message>
        <source>Prescription %1-%2 is recorded again since it was deleted; the deleted record is kept as it is.</source>
        <translation>L’ordonnance %1-%2 a été enregistrée de nouveau depuis sa suppression ; l’enregistrement supprimé est conservé tel quel.</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Error Number:</source>
        <translation>Numéro d&apos;erreur :</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Description :</translation>
    </message>
    <message>
        <source>Error Source:</source>
        <translation>Source de l&apos;erreur :</translation>
    </message>
    <message>
        <source>Last DLL Error:</source>
        <translation>Dernière erreur système :</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>File not found: %1</source>
        <translation>Fichier introuvable : %1</translation>
    </message>
    <message>
        <source>Cannot copy %1 to %2</source>
        <translation>Impossible de copier %1 vers %2</translation>
    </message>
    <message>
        <source>Cannot delete %1: %2</source>
        <translation>Impossible de supprimer %1 : %2</translation>
    </message>
    <message>
        <source>Cannot reach %1: %2</source>
        <translation>Impossible d&apos;accéder à %1 : %2</translation>
    </message>
    <message>
        <source>Cannot give %1 to the folder&apos;s group: %2</source>
        <translation>Impossible de donner %1 au groupe du dossier : %2</translation>
    </message>
    <message>
        <source>Cannot set the permissions of %1: %2</source>
        <translation>Impossible de définir les droits de %1 : %2</translation>
    </message>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation>Impossible de créer le dossier %1 : %2</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation>Impossible d&apos;ouvrir le dossier %1 : %2</translation>
    </message>
</context>
<context>
    <name>FillList</name>
    <message>
        <source>The database is not open.</source>
        <translation>La base de données n&apos;est pas ouverte.</translation>
    </message>
</context>
<context>
    <name>GetDirectory</name>
    <message>
        <source>Select a directory, then click OK</source>
        <translation>Sélectionnez un dossier, puis cliquez sur OK</translation>
    </message>
</context>
<context>
    <name>ImageStore</name>
    <message>
        <source>the image folder %1 is missing</source>
        <translation>le dossier des images %1 est absent</translation>
    </message>
    <message>
        <source>the page could not be named in %1</source>
        <translation>la page n&apos;a pas pu être nommée dans %1</translation>
    </message>
    <message>
        <source>the page could not be kept either: %1</source>
        <translation>la page n&apos;a pas pu être conservée non plus : %1</translation>
    </message>
    <message>
        <source>its image name would leave the image folder</source>
        <translation>le nom de son image sortirait du dossier des images</translation>
    </message>
    <message>
        <source>the database is not open</source>
        <translation>la base de données n&apos;est pas ouverte</translation>
    </message>
    <message>
        <source>its image name is taken by something that is not an image file</source>
        <translation>le nom de son image est pris par un élément qui n&apos;est pas un fichier image</translation>
    </message>
    <message>
        <source>the scanned page is missing from the staging folder</source>
        <translation>la page numérisée est absente du dossier d&apos;attente</translation>
    </message>
    <message>
        <source>the image it replaces could not be moved to %1</source>
        <translation>l&apos;image qu&apos;elle remplace n&apos;a pas pu être déplacée vers %1</translation>
    </message>
    <message>
        <source>the page could not be given its name %1</source>
        <translation>la page n&apos;a pas pu recevoir son nom %1</translation>
    </message>
    <message>
        <source>its prescription is no longer recorded</source>
        <translation>son ordonnance n&apos;est plus enregistrée</translation>
    </message>
    <message>
        <source>its row could not be updated: %1</source>
        <translation>sa ligne n&apos;a pas pu être mise à jour : %1</translation>
    </message>
</context>
<context>
    <name>LabelPattern</name>
    <message>
        <source>the label pattern is empty</source>
        <translation>le modèle d&apos;étiquette est vide</translation>
    </message>
    <message>
        <source>the label pattern &quot;%1&quot; is not a valid regular expression: %2 at position %3</source>
        <translation>le modèle d&apos;étiquette « %1 » n&apos;est pas une expression régulière valide : %2 à la position %3</translation>
    </message>
    <message>
        <source>the label pattern &quot;%1&quot; has no group named rx (write (?&lt;rx&gt;...) around the Rx number)</source>
        <translation>le modèle d&apos;étiquette « %1 » n&apos;a pas de groupe nommé rx (écrivez (?&lt;rx&gt;...) autour du numéro d&apos;ordonnance)</translation>
    </message>
</context>
<context>
    <name>LockFile</name>
    <message>
        <source>Cannot write the lock file %1: %2</source>
        <translation>Impossible d&apos;écrire le fichier de verrou %1 : %2</translation>
    </message>
</context>
<context>
    <name>PageChecks</name>
    <message>
        <source>verified</source>
        <translation>vérifiée</translation>
    </message>
    <message>
        <source>by position</source>
        <translation>selon la position</translation>
    </message>
    <message>
        <source>by operator</source>
        <translation>par l’opérateur</translation>
    </message>
</context>
<context>
    <name>PageFiling</name>
    <message>
        <source>duplicate: </source>
        <translation>doublon : </translation>
    </message>
    <message>
        <source>label of another prescription: </source>
        <translation>étiquette d&apos;une autre ordonnance : </translation>
    </message>
    <message>
        <source>two labels: </source>
        <translation>deux étiquettes : </translation>
    </message>
    <message>
        <source>several labels: </source>
        <translation>plusieurs étiquettes : </translation>
    </message>
    <message>
        <source>label without its refill: </source>
        <translation>étiquette sans son numéro de renouvellement : </translation>
    </message>
    <message>
        <source>no label</source>
        <translation>sans étiquette</translation>
    </message>
    <message>
        <source>label </source>
        <translation>étiquette </translation>
    </message>
    <message>
        <source>labels </source>
        <translation>étiquettes </translation>
    </message>
    <message>
        <source>labels of other prescriptions: </source>
        <translation>étiquettes d&apos;autres ordonnances : </translation>
    </message>
    <message>
        <source>%1 without label</source>
        <translation>%1 sans étiquette</translation>
    </message>
    <message>
        <source>page</source>
        <translation>page</translation>
    </message>
    <message>
        <source>pages</source>
        <translation>pages</translation>
    </message>
    <message>
        <source>verified by its label</source>
        <translation>vérifiée par son étiquette</translation>
    </message>
    <message>
        <source>verified by their label</source>
        <translation>vérifiées par leur étiquette</translation>
    </message>
    <message>
        <source>filed by position</source>
        <translation>classées selon leur position</translation>
    </message>
    <message>
        <source>kept as unmatched</source>
        <translation>conservées comme non attribuées</translation>
    </message>
    <message>
        <source>kept apart as a duplicate</source>
        <translation>mise à part comme doublon</translation>
    </message>
    <message>
        <source>kept apart as duplicates</source>
        <translation>mises à part comme doublons</translation>
    </message>
    <message>
        <source>no pages</source>
        <translation>aucune page</translation>
    </message>
    <message>
        <source>no page for </source>
        <translation>aucune page pour </translation>
    </message>
</context>
<context>
    <name>PageStaging</name>
    <message>
        <source>The image folder %1 is missing</source>
        <translation>Le dossier des images %1 est absent</translation>
    </message>
    <message>
        <source>Cannot make the staging folder %1</source>
        <translation>Impossible de créer le dossier d&apos;attente %1</translation>
    </message>
    <message>
        <source>The staging folder %1 is in use by another run of this station.</source>
        <translation>Le dossier d&apos;attente %1 est utilisé par une autre exécution de ce poste.</translation>
    </message>
    <message>
        <source>Cannot write the staging journal %1</source>
        <translation>Impossible d&apos;écrire le journal d&apos;attente %1</translation>
    </message>
    <message>
        <source>The staging folder is not open.</source>
        <translation>Le dossier d&apos;attente n&apos;est pas ouvert.</translation>
    </message>
    <message>
        <source>Cannot write the staging journal in %1</source>
        <translation>Impossible d&apos;écrire le journal d&apos;attente dans %1</translation>
    </message>
    <message>
        <source>A scanned page could not be kept on disk: %1</source>
        <translation>Une page numérisée n&apos;a pas pu être conservée sur le disque : %1</translation>
    </message>
</context>
<context>
    <name>PatientRecords</name>
    <message>
        <source>The database is not open.</source>
        <translation>La base de données n&apos;est pas ouverte.</translation>
    </message>
    <message>
        <source>Cannot move %1 to %2: the name is taken</source>
        <translation>Impossible de déplacer %1 vers %2 : le nom est déjà pris</translation>
    </message>
    <message>
        <source>Cannot move %1 to %2: %3</source>
        <translation>Impossible de déplacer %1 vers %2 : %3</translation>
    </message>
    <message>
        <source>Prescription %1-%2 is no longer recorded.</source>
        <translation>L&apos;ordonnance %1-%2 n&apos;est plus enregistrée.</translation>
    </message>
    <message>
        <source>No deleted prescription %1 is kept.</source>
        <translation>Aucune ordonnance supprimée %1 n&apos;est conservée.</translation>
    </message>
    <message>
        <source>The deleted record of %1 names an image outside the image folder; it is left as it is.</source>
        <translation>L&apos;enregistrement supprimé de %1 désigne une image hors du dossier des images ; il est laissé tel quel.</translation>
    </message>
    <message>
        <source>Restored prescription %1 (deleted %2 on station %3 by %4).</source>
        <translation>Ordonnance %1 restaurée (supprimée le %2 sur le poste %3 par %4).</translation>
    </message>
    <message>
        <source>Restored prescription %1 (deleted %2 on station %3 by %4) with its image %5.</source>
        <translation>Ordonnance %1 restaurée (supprimée le %2 sur le poste %3 par %4) avec son image %5.</translation>
    </message>
    <message>
        <source>The station has no image folder in its settings.</source>
        <translation>Le poste n&apos;a pas de dossier des images dans ses réglages.</translation>
    </message>
    <message>
        <source>There is no database %1.</source>
        <translation>La base de données %1 n&apos;existe pas.</translation>
    </message>
    <message>
        <source>Audit rows are kept for %1 years: only rows older than %2 may be removed.</source>
        <translation>Les lignes d&apos;audit sont conservées %1 ans : seules les lignes antérieures au %2 peuvent être supprimées.</translation>
    </message>
    <message>
        <source>Removed %1 audit rows older than %2.
</source>
        <translation>%1 lignes d&apos;audit antérieures au %2 supprimées.
</translation>
    </message>
</context>
<context>
    <name>PollingTick</name>
    <message>
        <source>Cannot rename the data file %1 to %2</source>
        <translation>Impossible de renommer le fichier de données %1 en %2</translation>
    </message>
    <message>
        <source>The database is not open.</source>
        <translation>La base de données n&apos;est pas ouverte.</translation>
    </message>
    <message>
        <source>The database %1 is missing</source>
        <translation>La base de données %1 est absente</translation>
    </message>
    <message>
        <source>The database failed.</source>
        <translation>La base de données a échoué.</translation>
    </message>
    <message>
        <source>%1 line %2: %3</source>
        <translation>%1 ligne %2 : %3</translation>
    </message>
    <message>
        <source>the field %1 holds characters an image file name cannot have</source>
        <translation>le champ %1 contient des caractères interdits dans un nom de fichier image</translation>
    </message>
    <message>
        <source>Rx number</source>
        <translation>Numéro d&apos;ordonnance</translation>
    </message>
    <message>
        <source>Refill number</source>
        <translation>Numéro de renouvellement</translation>
    </message>
    <message>
        <source>the field Fill date is not a date</source>
        <translation>le champ Date de délivrance n&apos;est pas une date</translation>
    </message>
    <message>
        <source>the database refused the row</source>
        <translation>la base de données a refusé la ligne</translation>
    </message>
    <message>
        <source>the database refused the row (%1)</source>
        <translation>la base de données a refusé la ligne (%1)</translation>
    </message>
    <message>
        <source>The data file %1: %2 line(s) taken, %3 refused.</source>
        <translation>Le fichier de données %1 : %2 ligne(s) acceptée(s), %3 refusée(s).</translation>
    </message>
    <message>
        <source>None of its prescriptions is listed for scanning.</source>
        <translation>Aucune de ses ordonnances ne figure dans la liste à numériser.</translation>
    </message>
    <message>
        <source>The refused prescriptions stay listed, marked &quot;not recorded&quot;; their pages are kept in the image folder&apos;s Unmatched folder.</source>
        <translation>Les ordonnances refusées restent dans la liste, marquées « non enregistrée » ; leurs pages sont conservées dans le dossier Unmatched du dossier des images.</translation>
    </message>
    <message>
        <source>The file is kept as %1 in %2.</source>
        <translation>Le fichier est conservé sous %1 dans %2.</translation>
    </message>
    <message>
        <source>Open and read data files</source>
        <translation>Ouverture et lecture des fichiers de données</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>. Click Restart from Tools menu to start again.</source>
        <translation>. Cliquez sur Redémarrer dans le menu Outils pour recommencer.</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>Page Setup</source>
        <translation>Mise en page</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Imprimer</translation>
    </message>
</context>
<context>
    <name>PrintedCopy</name>
    <message>
        <source>Rx %1</source>
        <translation>Ordonnance %1</translation>
    </message>
    <message>
        <source>Rx-refill: %1</source>
        <translation>Ordonnance-renouvellement : %1</translation>
    </message>
    <message>
        <source>Patient: %1</source>
        <translation>Patient : %1</translation>
    </message>
    <message>
        <source>Drug: %1</source>
        <translation>Médicament : %1</translation>
    </message>
    <message>
        <source>Fill date: %1</source>
        <translation>Date de délivrance : %1</translation>
    </message>
    <message>
        <source>Station: %1</source>
        <translation>Poste : %1</translation>
    </message>
    <message>
        <source>Printed: %1</source>
        <translation>Imprimé : %1</translation>
    </message>
    <message>
        <source>Copy of a stored prescription image</source>
        <translation>Copie d’une image d’ordonnance archivée</translation>
    </message>
    <message>
        <source>No printer is set up on this workstation.</source>
        <translation>Aucune imprimante n’est configurée sur ce poste de travail.</translation>
    </message>
    <message>
        <source>There is no image to print.</source>
        <translation>Il n’y a aucune image à imprimer.</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>L&apos;imprimante n&apos;a pas pu être démarrée.</translation>
    </message>
    <message>
        <source>The page could not be sent to the printer.</source>
        <translation>La page n&apos;a pas pu être envoyée à l&apos;imprimante.</translation>
    </message>
</context>
<context>
    <name>SaneScan</name>
    <message>
        <source>The scanner %1 could not be opened. %2</source>
        <translation>Le scanner %1 n&apos;a pas pu être ouvert. %2</translation>
    </message>
    <message>
        <source>The scanner stopped: two sheets were pulled in at once, or the paper jammed. The pages scanned so far are kept. Take the sheets out of the scanner, put the ones not scanned back into the feeder and scan the rest.</source>
        <translation>Le scanner s&apos;est arrêté : deux feuilles ont été entraînées à la fois, ou le papier s&apos;est coincé. Les pages déjà numérisées sont conservées. Retirez les feuilles du scanner, remettez celles qui n&apos;ont pas été numérisées dans le chargeur et numérisez le reste.</translation>
    </message>
    <message>
        <source>The scanner delivered an image in a form the station cannot read.</source>
        <translation>Le scanner a fourni une image sous une forme que le poste ne sait pas lire.</translation>
    </message>
</context>
<context>
    <name>SaneScanner</name>
    <message>
        <source>while listing the scanners</source>
        <translation>lors de la recherche des scanners</translation>
    </message>
    <message>
        <source>while connecting</source>
        <translation>lors de la connexion</translation>
    </message>
    <message>
        <source>while disconnecting</source>
        <translation>lors de la déconnexion</translation>
    </message>
    <message>
        <source>while sending a page</source>
        <translation>lors de l&apos;envoi d&apos;une page</translation>
    </message>
    <message>
        <source>when asked to feed the next page</source>
        <translation>à la demande d&apos;entraîner la page suivante</translation>
    </message>
</context>
<context>
    <name>SaneSession</name>
    <message>
        <source>The document feeder is jammed. Clear the jam and scan again.</source>
        <translation>Le chargeur de documents est bourré. Dégagez le papier et numérisez à nouveau.</translation>
    </message>
    <message>
        <source>There is no document in the scanner. Put the prescription on the scanner and scan again.</source>
        <translation>Il n&apos;y a aucun document dans le scanner. Posez l&apos;ordonnance sur le scanner et numérisez à nouveau.</translation>
    </message>
    <message>
        <source>The scanner cover is open. Close it and scan again.</source>
        <translation>Le capot du scanner est ouvert. Fermez-le et numérisez à nouveau.</translation>
    </message>
    <message>
        <source>The scanner could not be reached. Check that it is switched on and connected, then scan again.</source>
        <translation>Le scanner est injoignable. Vérifiez qu&apos;il est allumé et branché, puis numérisez à nouveau.</translation>
    </message>
    <message>
        <source>The scanner is busy. Wait a moment and scan again.</source>
        <translation>Le scanner est occupé. Patientez un instant et numérisez à nouveau.</translation>
    </message>
    <message>
        <source>The scanner ran out of memory. Scan again; if it happens again, switch the scanner off and on.</source>
        <translation>Le scanner manque de mémoire. Numérisez à nouveau ; si cela se reproduit, éteignez puis rallumez le scanner.</translation>
    </message>
    <message>
        <source>The scanner did not accept the scan. Check that it is switched on and connected, and the scanner under Tools, Configuration.</source>
        <translation>Le scanner n&apos;a pas accepté la numérisation. Vérifiez qu&apos;il est allumé et branché, ainsi que le scanner choisi dans Outils, Configuration.</translation>
    </message>
    <message>
        <source>The station is not allowed to use the scanner.</source>
        <translation>Le poste n&apos;est pas autorisé à utiliser le scanner.</translation>
    </message>
    <message>
        <source>The scanner does not support this kind of scan.</source>
        <translation>Le scanner ne prend pas en charge ce type de numérisation.</translation>
    </message>
    <message>
        <source>The scan was cancelled.</source>
        <translation>La numérisation a été annulée.</translation>
    </message>
    <message>
        <source>The scanner is warming up. Wait a moment and scan again.</source>
        <translation>Le scanner chauffe. Patientez un instant et numérisez à nouveau.</translation>
    </message>
    <message>
        <source>The scanner is locked for transport. Unlock it and scan again.</source>
        <translation>Le scanner est verrouillé pour le transport. Déverrouillez-le et numérisez à nouveau.</translation>
    </message>
    <message>
        <source>The scanner reported an error: %1.</source>
        <translation>Le scanner a signalé une erreur : %1.</translation>
    </message>
</context>
<context>
    <name>SearchResultModel</name>
    <message>
        <source>The search was written for another database engine.</source>
        <translation>La recherche a été écrite pour un autre moteur de base de données.</translation>
    </message>
</context>
<context>
    <name>SettingsStore</name>
    <message>
        <source>The setting %1 cannot hold a line break</source>
        <translation>Le réglage %1 ne peut pas contenir de saut de ligne</translation>
    </message>
    <message>
        <source>The setting %1 could not be written to %2</source>
        <translation>Le réglage %1 n’a pas pu être écrit dans %2</translation>
    </message>
</context>
<context>
    <name>StagingRecovery</name>
    <message>
        <source>the station stopped before this page was filed</source>
        <translation>le poste s&apos;est arrêté avant que cette page soit classée</translation>
    </message>
    <message>
        <source>a page beyond the prescriptions of its batch</source>
        <translation>une page en plus des ordonnances de son lot</translation>
    </message>
    <message>
        <source>a second page labelled %1</source>
        <translation>une deuxième page avec l&apos;étiquette %1</translation>
    </message>
    <message>
        <source>its label names no prescription of its batch</source>
        <translation>son étiquette ne désigne aucune ordonnance de son lot</translation>
    </message>
    <message>
        <source>not recorded (%1)</source>
        <translation>non enregistrée (%1)</translation>
    </message>
    <message>
        <source>The station finished what its last run left unfinished:</source>
        <translation>Le poste a terminé ce que sa dernière exécution avait laissé en suspens :</translation>
    </message>
    <message>
        <source>%1 page(s) filed under their prescription.</source>
        <translation>%1 page(s) classée(s) avec leur ordonnance.</translation>
    </message>
    <message>
        <source>%1 stored image(s) recorded in their prescription&apos;s row.</source>
        <translation>%1 image(s) enregistrée(s) reportée(s) dans la ligne de leur ordonnance.</translation>
    </message>
    <message>
        <source>%1 page(s) kept in the image folder:</source>
        <translation>%1 page(s) conservée(s) dans le dossier des images :</translation>
    </message>
    <message>
        <source>%1 page(s) could not be filed and stay in the staging folder:</source>
        <translation>Pages non classées (%1) ; elles restent dans le dossier d&apos;attente :</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The configuration must be done before using this program. Configure it now?</source>
        <translation>La configuration doit être faite avant d&apos;utiliser ce programme. Configurer maintenant ?</translation>
    </message>
    <message>
        <source>The database %1 lies on a network file system (%2). Records can be lost there when two programs use it; keep the image folder on a local disk.</source>
        <translation>La base de données %1 se trouve sur un système de fichiers réseau (%2). Des données peuvent y être perdues quand deux programmes l&apos;utilisent ; placez le dossier des images sur un disque local.</translation>
    </message>
    <message>
        <source>The database %1 is damaged and the station cannot use it (%2).

There is no good backup of it in the folder Backups beside it; ask your administrator for help.</source>
        <translation>La base de données %1 est endommagée et le poste ne peut pas l’utiliser (%2).

Il n’y en a aucune bonne sauvegarde dans le dossier Backups à côté ; demandez de l’aide à votre administrateur.</translation>
    </message>
    <message>
        <source>The database %1 is damaged and the station cannot use it (%2).

The newest good backup in the folder Backups is %3 (%4). Restore it now? The damaged file is kept beside it as %5.damaged-&lt;date and time&gt;; prescriptions recorded after the backup must be taken again.

No closes the program.</source>
        <translation>La base de données %1 est endommagée et le poste ne peut pas l’utiliser (%2).

La plus récente bonne sauvegarde du dossier Backups est %3 (%4). La restaurer maintenant ? Le fichier endommagé est conservé à côté sous le nom %5.damaged-&lt;date et heure&gt; ; les ordonnances enregistrées après la sauvegarde devront être reprises.

Non ferme le programme.</translation>
    </message>
    <message>
        <source>The database server refused the station:

%1

Check the user name, the database name and the password (in ~/.pgpass or a service file) with your administrator; trying again will not help.</source>
        <translation>Le serveur de base de données a refusé le poste :

%1

Vérifiez avec votre administrateur le nom d’utilisateur, le nom de la base et le mot de passe (dans ~/.pgpass ou un fichier de service) ; réessayer ne servira à rien.</translation>
    </message>
    <message>
        <source>The connection with database cannot be established.

%1</source>
        <translation>La connexion à la base de données ne peut pas être établie.

%1</translation>
    </message>
</context>
<context>
    <name>StationDatabase</name>
    <message>
        <source>SQLite file %1</source>
        <translation>Fichier SQLite %1</translation>
    </message>
    <message>
        <source>The station has no image folder in its settings.</source>
        <translation>Le poste n&apos;a pas de dossier des images dans ses réglages.</translation>
    </message>
    <message>
        <source>The station cannot reach its database server.

%1

Check the network and that the server is running, then choose Yes to try again, or No to close the program.</source>
        <translation>Le poste ne parvient pas à joindre son serveur de base de données.

%1

Vérifiez le réseau et que le serveur fonctionne, puis choisissez Oui pour réessayer ou Non pour fermer le programme.</translation>
    </message>
    <message>
        <source>The daily backup of the database could not be made:
%1

The station goes on working; ask your administrator to look at the folder %2.</source>
        <translation>La sauvegarde quotidienne de la base de données n’a pas pu être faite :
%1

Le poste continue de fonctionner ; demandez à votre administrateur de vérifier le dossier %2.</translation>
    </message>
</context>
<context>
    <name>StationWiring</name>
    <message>
        <source>Pages left by the last run could not be looked at: %1</source>
        <translation>Les pages laissées par la dernière exécution n&apos;ont pas pu être examinées : %1</translation>
    </message>
</context>
<context>
    <name>SystemInfoTool</name>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Les informations système ne sont pas disponibles pour le moment</translation>
    </message>
</context>
<context>
    <name>Tray</name>
    <message>
        <source>Tellan Marrowby that scans and views prescriptions</source>
        <translation>Tellan Marrowby, qui numérise et affiche les ordonnances</translation>
    </message>
</context>
<context>
    <name>VerifySettings</name>
    <message>
        <source>the label check mode &quot;%1&quot; is not off, check or require; check is used</source>
        <translation>le mode de contrôle des étiquettes « %1 » n&apos;est ni off, ni check, ni require ; check est utilisé</translation>
    </message>
    <message>
        <source>the label pattern is not usable (%1); the standard pattern is used</source>
        <translation>le modèle d&apos;étiquette est inutilisable (%1) ; le modèle standard est utilisé</translation>
    </message>
</context>
<context>
    <name>quiller::AcquisitionController</name>
    <message>
        <source>No prescription is in the list.</source>
        <translation>La liste ne contient aucune ordonnance.</translation>
    </message>
    <message>
        <source>Select a prescription from the list to scan.</source>
        <translation>Sélectionnez dans la liste une ordonnance à numériser.</translation>
    </message>
    <message>
        <source>A scan is in progress. Wait until it has finished, then scan again.</source>
        <translation>Une numérisation est en cours. Attendez qu&apos;elle soit terminée, puis numérisez à nouveau.</translation>
    </message>
    <message>
        <source>Rescan prescription %1?</source>
        <translation>Numériser à nouveau l&apos;ordonnance %1 ?</translation>
    </message>
    <message>
        <source>Put the prescription on the scanner.  Then press Ok button.</source>
        <translation>Posez l&apos;ordonnance sur le scanner.  Puis cliquez sur OK.</translation>
    </message>
    <message>
        <source>A scan is in progress. Wait until it has finished, then scan the rest.</source>
        <translation>Une numérisation est en cours. Attendez qu&apos;elle soit terminée, puis numérisez le reste.</translation>
    </message>
    <message>
        <source>Scan the rest works on the prescriptions to be scanned. Leave the viewing list first.</source>
        <translation>Numériser le reste porte sur les ordonnances à numériser. Quittez d&apos;abord la liste de consultation.</translation>
    </message>
    <message>
        <source>Every prescription of the last batch has been scanned.</source>
        <translation>Toutes les ordonnances du dernier lot ont été numérisées.</translation>
    </message>
    <message>
        <source>1 prescription is still being scanned. Stop and exit?</source>
        <translation>1 ordonnance est encore en cours de numérisation. Arrêter et quitter ?</translation>
    </message>
    <message>
        <source>%1 prescriptions are still being scanned. Stop and exit?</source>
        <translation>%1 ordonnances sont encore en cours de numérisation. Arrêter et quitter ?</translation>
    </message>
    <message>
        <source>The turned image could not be saved to %1: %2</source>
        <translation>L&apos;image pivotée n&apos;a pas pu être enregistrée dans %1 : %2</translation>
    </message>
</context>
<context>
    <name>quiller::Deletion</name>
    <message>
        <source>You are deleting %1, Continue?</source>
        <translation>Vous allez supprimer %1. Continuer ?</translation>
    </message>
</context>
<context>
    <name>quiller::EnlargedView</name>
    <message>
        <source>Scanned Image for Prescription %1</source>
        <translation>Image numérisée de l&apos;ordonnance %1</translation>
    </message>
</context>
<context>
    <name>quiller::GlassPrompts</name>
    <message>
        <source>Place %1 on the glass, then OK</source>
        <translation>Posez %1 sur la vitre, puis cliquez sur OK</translation>
    </message>
</context>
<context>
    <name>quiller::KeptPagesView</name>
    <message>
        <source>Kept pages</source>
        <translation>Pages mises de côté</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motif</translation>
    </message>
    <message>
        <source>Label read</source>
        <translation>Étiquette lue</translation>
    </message>
    <message>
        <source>Kept at</source>
        <translation>Mise de côté le</translation>
    </message>
    <message>
        <source>Station</source>
        <translation>Poste</translation>
    </message>
    <message>
        <source>Kept page</source>
        <translation>Page mise de côté</translation>
    </message>
    <message>
        <source>&amp;File under the selected prescription</source>
        <translation>&amp;Classer sous l’ordonnance sélectionnée</translation>
    </message>
    <message>
        <source>File this page as the image of the prescription selected in the viewing list</source>
        <translation>Classe cette page comme image de l’ordonnance sélectionnée dans la liste de consultation</translation>
    </message>
    <message>
        <source>Set &amp;aside</source>
        <translation>&amp;Écarter</translation>
    </message>
    <message>
        <source>Move this page to the Discarded folder; it is not erased</source>
        <translation>Déplace cette page dans le dossier Discarded ; elle n’est pas effacée</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Select the prescription in the viewing list first, then file the page under it.</source>
        <translation>Sélectionnez d’abord l’ordonnance dans la liste de consultation, puis classez la page sous celle-ci.</translation>
    </message>
    <message>
        <source>Set this page aside? It moves to the Discarded folder and is no longer listed here.</source>
        <translation>Écarter cette page ? Elle est déplacée dans le dossier Discarded et n’est plus listée ici.</translation>
    </message>
</context>
<context>
    <name>quiller::Preview</name>
    <message>
        <source>Rx Image of Rx# %1</source>
        <translation>Image de l&apos;ordonnance n° %1</translation>
    </message>
    <message>
        <source>Rx Image</source>
        <translation>Image de l&apos;ordonnance</translation>
    </message>
</context>
<context>
    <name>quiller::QuillerApplication</name>
    <message>
        <source>Run-time error %1:

%2</source>
        <translation>Erreur d&apos;exécution %1 :

%2</translation>
    </message>
</context>
<context>
    <name>quiller::SaneScanner</name>
    <message>
        <source>The scanner %1 did not answer %2. The batch was stopped; the pages scanned so far are kept. Check that the scanner is switched on and connected, then scan the rest.</source>
        <translation>Le scanner %1 n&apos;a pas répondu %2. Le lot a été arrêté ; les pages déjà numérisées sont conservées. Vérifiez que le scanner est allumé et branché, puis numérisez le reste.</translation>
    </message>
    <message>
        <source>The scanner is already scanning.</source>
        <translation>Le scanner est déjà en train de numériser.</translation>
    </message>
    <message>
        <source>No scanner is available. Choose a scanner under Tools, Configuration.</source>
        <translation>Aucun scanner n&apos;est disponible. Choisissez un scanner dans Outils, Configuration.</translation>
    </message>
</context>
<context>
    <name>quiller::ScannerControl</name>
    <message>
        <source>There is no image %1 in the buffer.</source>
        <translation>Il n&apos;y a pas d&apos;image %1 dans la mémoire tampon.</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>Impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>Images can only be turned by multiples of 90 degrees.</source>
        <translation>Les images ne peuvent pivoter que par multiples de 90 degrés.</translation>
    </message>
    <message>
        <source>The image cannot be turned: %1</source>
        <translation>Impossible de faire pivoter l&apos;image : %1</translation>
    </message>
</context>
<context>
    <name>quiller::ScannerStartup</name>
    <message>
        <source>Configuration is not completed yet. Restart this program and complete configuration first.</source>
        <translation>La configuration n&apos;est pas encore terminée. Redémarrez ce programme et terminez d&apos;abord la configuration.</translation>
    </message>
    <message>
        <source>The configured scanner is not available. Choose a scanner under Tools, Configuration.</source>
        <translation>Le scanner configuré n&apos;est pas disponible. Choisissez un scanner dans Outils, Configuration.</translation>
    </message>
    <message>
        <source>The configured scanner %1 is not connected. Check that it is switched on and connected, or choose a scanner under Tools, Configuration.</source>
        <translation>Le scanner configuré %1 n&apos;est pas branché. Vérifiez qu&apos;il est allumé et branché, ou choisissez un scanner dans Outils, Configuration.</translation>
    </message>
    <message>
        <source>Image %1 (%2 x %3 x %4 bpp )</source>
        <translation>Image %1 (%2 x %3 x %4 bpp )</translation>
    </message>
    <message>
        <source>Image %1 (%2 x %3 x %4 bpp)</source>
        <translation>Image %1 (%2 x %3 x %4 bpp)</translation>
    </message>
    <message>
        <source>Start scanner</source>
        <translation>Démarrage du scanner</translation>
    </message>
    <message>
        <source>Start device</source>
        <translation>Démarrage du périphérique</translation>
    </message>
</context>
<context>
    <name>quiller::SearchList</name>
    <message>
        <source>The database is not open.</source>
        <translation>La base de données n&apos;est pas ouverte.</translation>
    </message>
</context>
<context>
    <name>quiller::SearchResultModel</name>
    <message>
        <source>Rx Number</source>
        <translation>N° d&apos;ordonnance</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Drug Name</source>
        <translation>Médicament</translation>
    </message>
    <message>
        <source>Patient</source>
        <translation>Patient</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Page</translation>
    </message>
</context>
<context>
    <name>quiller::StationCore</name>
    <message>
        <source>No scanner is available. Choose a scanner under Tools, Configuration.</source>
        <translation>Aucun scanner n&apos;est disponible. Choisissez un scanner dans Outils, Configuration.</translation>
    </message>
    <message>
        <source>Looking for items to be scanned.</source>
        <translation>Recherche des ordonnances à numériser.</translation>
    </message>
    <message>
        <source>Clear images in buffer</source>
        <translation>Vidage des images de la mémoire tampon</translation>
    </message>
    <message>
        <source>Acquire images</source>
        <translation>Acquisition des images</translation>
    </message>
    <message>
        <source>No document loaded, waiting ...</source>
        <translation>Aucun document chargé, en attente...</translation>
    </message>
    <message>
        <source>No paper was put into the feeder in time.</source>
        <translation>Aucun papier n&apos;a été mis à temps dans le chargeur.</translation>
    </message>
    <message>
        <source>Acquiring image ...</source>
        <translation>Acquisition de l&apos;image...</translation>
    </message>
    <message>
        <source>A page arrived outside of any scan; it stays in %1: %2</source>
        <translation>Une page est arrivée en dehors de toute numérisation ; elle reste dans %1 : %2</translation>
    </message>
    <message>
        <source>A page arrived outside of any scan; it is kept as %1</source>
        <translation>Une page est arrivée en dehors de toute numérisation ; elle est conservée sous %1</translation>
    </message>
    <message>
        <source>not recorded (%1); its page stays in the staging folder: %2</source>
        <translation>non enregistrée (%1) ; sa page reste dans le dossier d&apos;attente : %2</translation>
    </message>
    <message>
        <source>not recorded (%1)</source>
        <translation>non enregistrée (%1)</translation>
    </message>
    <message>
        <source>Saving image file %1</source>
        <translation>Enregistrement du fichier image %1</translation>
    </message>
    <message>
        <source>(page %1 stays in the staging folder: %2)</source>
        <translation>(la page %1 reste dans le dossier d&apos;attente : %2)</translation>
    </message>
    <message>
        <source>Reading the labels of the last pages ...</source>
        <translation>Lecture des étiquettes des dernières pages...</translation>
    </message>
    <message>
        <source>two labels</source>
        <translation>deux étiquettes</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>manquante</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>Scanning: image %1 of %2</source>
        <translation>Numérisation : image %1 sur %2</translation>
    </message>
    <message>
        <source>Nothing was scanned: scanned pages cannot be kept on disk until they are filed. %1</source>
        <translation>Rien n&apos;a été numérisé : les pages numérisées ne peuvent pas être conservées sur le disque jusqu&apos;à leur classement. %1</translation>
    </message>
    <message>
        <source>a second page labelled %1</source>
        <translation>une deuxième page portant l&apos;étiquette %1</translation>
    </message>
    <message>
        <source>The database server is back: %1 waiting page(s) filed.</source>
        <translation>Le serveur de base de données est de retour : pages en attente classées (%1).</translation>
    </message>
    <message>
        <source>The database server is back, but these pages could not be filed:
%1</source>
        <translation>Le serveur de base de données est de retour, mais ces pages n&apos;ont pas pu être classées :
%1</translation>
    </message>
</context>
<context>
    <name>quiller::ToBeScannedList</name>
    <message>
        <source>%1 - not recorded: %2</source>
        <translation>%1 - non enregistrée : %2</translation>
    </message>
    <message>
        <source>Not recorded: %1</source>
        <translation>Non enregistrée : %1</translation>
    </message>
</context>
<context>
    <name>quiller::frmAbout</name>
    <message>
        <source>About Marrowby</source>
        <translation>À propos de Marrowby</translation>
    </message>
    <message>
        <source>This application is for scanning prescriptions from Tellan Calvora software.</source>
        <translation>Cette application sert à numériser les ordonnances du logiciel Tellan Calvora.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Informations &amp;système...</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>This program stores and shows prescription images only. It does not check, change or fill prescriptions; every prescription remains the responsibility of the dispensing pharmacist.</source>
        <translation>Ce programme enregistre et affiche uniquement des images d&apos;ordonnances. Il ne vérifie, ne modifie ni ne délivre aucune ordonnance ; chaque ordonnance reste sous la responsabilité du pharmacien qui la délivre.</translation>
    </message>
</context>
<context>
    <name>quiller::frmConfiguration</name>
    <message>
        <source>The scanner unique ID must be exactly one letter or digit: data files for this station are those whose name begins with it.</source>
        <translation>L&apos;identifiant unique du scanner doit être exactement une lettre ou un chiffre : les fichiers de données de ce poste sont ceux dont le nom commence par lui.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>&amp;Scanner</source>
        <translation>&amp;Scanner</translation>
    </message>
    <message>
        <source>&amp;Where to save images</source>
        <translation>&amp;Où enregistrer les images</translation>
    </message>
    <message>
        <source>&amp;Rx file interchange path</source>
        <translation>Dossier d&apos;é&amp;change des ordonnances</translation>
    </message>
    <message>
        <source>Scanner &amp;unique ID</source>
        <translation>&amp;Identifiant unique du scanner</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Base de données</translation>
    </message>
    <message>
        <source>Database in use</source>
        <translation>Base de données utilisée</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Parcourir</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>O&amp;K</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>Browse for the image folder</source>
        <translation>Rechercher le dossier des images</translation>
    </message>
    <message>
        <source>Browse for the interchange folder</source>
        <translation>Rechercher le dossier d&apos;échange</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>Ac&amp;tualiser</translation>
    </message>
    <message>
        <source>The scanner the prescriptions are scanned with. Refresh lists the scanners connected now.</source>
        <translation>Le scanner avec lequel les ordonnances sont numérisées. Actualiser affiche les scanners branchés en ce moment.</translation>
    </message>
    <message>
        <source>The folder where the scanned prescription images are stored. The station&apos;s database file is kept in the same folder.</source>
        <translation>Le dossier où sont enregistrées les images numérisées des ordonnances. Le fichier de base de données du poste se trouve dans le même dossier.</translation>
    </message>
    <message>
        <source>The shared folder into which the pharmacy system writes the data files of filled prescriptions for this station.</source>
        <translation>Le dossier partagé dans lequel le logiciel de la pharmacie dépose les fichiers de données des ordonnances délivrées pour ce poste.</translation>
    </message>
    <message>
        <source>One letter or digit that names this station: it takes the data files whose name begins with it.</source>
        <translation>Une lettre ou un chiffre qui désigne ce poste : il prend les fichiers de données dont le nom commence par ce caractère.</translation>
    </message>
    <message>
        <source>Choose the folder where images are stored.</source>
        <translation>Choisir le dossier où les images sont enregistrées.</translation>
    </message>
    <message>
        <source>Choose the folder the pharmacy system writes its data files to.</source>
        <translation>Choisir le dossier où le logiciel de la pharmacie dépose ses fichiers de données.</translation>
    </message>
    <message>
        <source>Look again for connected scanners.</source>
        <translation>Rechercher à nouveau les scanners branchés.</translation>
    </message>
    <message>
        <source>Where the station keeps its records. It is set by the administrator and not changed here.</source>
        <translation>L&apos;endroit où le poste conserve ses données. Il est défini par l&apos;administrateur et ne se modifie pas ici.</translation>
    </message>
    <message>
        <source>Tell the station which scanner to use, where to store the prescription images and where the pharmacy system leaves the prescriptions to be scanned. Every field can be changed later under Tools, Configuration.</source>
        <translation>Indiquez au poste quel scanner utiliser, où enregistrer les images des ordonnances et où le logiciel de la pharmacie dépose les ordonnances à numériser. Chaque champ peut être modifié plus tard dans Outils, Configuration.</translation>
    </message>
    <message>
        <source>SQLite file in the image folder, once it is chosen</source>
        <translation>Fichier SQLite dans le dossier des images, une fois celui-ci choisi</translation>
    </message>
    <message>
        <source>SQLite file %1</source>
        <translation>Fichier SQLite %1</translation>
    </message>
    <message>
        <source>Select a scanner.</source>
        <translation>Sélectionnez un scanner.</translation>
    </message>
    <message>
        <source>Where to save image files?</source>
        <translation>Où enregistrer les fichiers images ?</translation>
    </message>
    <message>
        <source>Where to get prescription data files?</source>
        <translation>Où prendre les fichiers de données des ordonnances ?</translation>
    </message>
    <message>
        <source>The folder %1 does not exist yet. Create it?</source>
        <translation>Le dossier %1 n&apos;existe pas encore. Le créer ?</translation>
    </message>
    <message>
        <source>The folder %1 is not accessible or does not exist.</source>
        <translation>Le dossier %1 est inaccessible ou n&apos;existe pas.</translation>
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
        <translation>Numé&amp;riser</translation>
    </message>
    <message>
        <source>V&amp;iew</source>
        <translation>&amp;Consulter</translation>
    </message>
    <message>
        <source>Ready to Scan</source>
        <translation>Prêt à numériser</translation>
    </message>
    <message>
        <source>Readiness</source>
        <translation>Disponibilité</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Page Set&amp;up...</source>
        <translation>Mise en pa&amp;ge...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>&amp;Redémarrer</translation>
    </message>
    <message>
        <source>&amp;Configuration</source>
        <translation>&amp;Configuration</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>&amp;Technical Support</source>
        <translation>&amp;Assistance technique</translation>
    </message>
    <message>
        <source>&amp;About </source>
        <translation>À &amp;propos </translation>
    </message>
    <message>
        <source>&amp;SysTray</source>
        <translation>&amp;Zone de notification</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Image %v of %m</source>
        <translation>Image %v sur %m</translation>
    </message>
    <message>
        <source>Not Ready to Scan</source>
        <translation>Pas prêt à numériser</translation>
    </message>
    <message>
        <source>Rx Image</source>
        <translation>Image de l&apos;ordonnance</translation>
    </message>
    <message>
        <source>View scanned images</source>
        <translation>Consulter les images numérisées</translation>
    </message>
    <message>
        <source>Find a prescription</source>
        <translation>Rechercher une ordonnance</translation>
    </message>
</context>
<context>
    <name>quiller::frmScan</name>
    <message>
        <source>Rx Number</source>
        <translation>N° d&apos;ordonnance</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Drug Name</source>
        <translation>Médicament</translation>
    </message>
    <message>
        <source>Patient</source>
        <translation>Patient</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Page</translation>
    </message>
    <message>
        <source>Scanning Prescriptions</source>
        <translation>Numérisation des ordonnances</translation>
    </message>
    <message>
        <source>Prescriptions to be scanned</source>
        <translation>Ordonnances à numériser</translation>
    </message>
    <message>
        <source>Rx image</source>
        <translation>Image de l&apos;ordonnance</translation>
    </message>
    <message>
        <source>Double click the image to view larger picture</source>
        <translation>Double-cliquez sur l&apos;image pour l&apos;agrandir</translation>
    </message>
    <message>
        <source>Scanner</source>
        <translation>Scanner</translation>
    </message>
    <message>
        <source>&amp;Scan</source>
        <translation>&amp;Numériser</translation>
    </message>
    <message>
        <source>&amp;Rotate</source>
        <translation>&amp;Pivoter</translation>
    </message>
    <message>
        <source>&amp;View Larger Image/Print</source>
        <translation>&amp;Agrandir l&apos;image/Imprimer</translation>
    </message>
    <message>
        <source>Scan &amp;the rest</source>
        <translation>Numériser le &amp;reste</translation>
    </message>
    <message>
        <source>Scan the prescriptions of the last batch that were not scanned, in one go</source>
        <translation>Numériser en une fois les ordonnances du dernier lot qui n&apos;ont pas été numérisées</translation>
    </message>
    <message>
        <source>Sto&amp;p waiting for paper</source>
        <translation>&amp;Cesser d&apos;attendre le papier</translation>
    </message>
    <message>
        <source>End the batch now; its prescriptions are reported as not scanned and can be scanned later</source>
        <translation>Terminer le lot maintenant ; ses ordonnances sont signalées comme non numérisées et pourront l&apos;être plus tard</translation>
    </message>
    <message>
        <source>No images</source>
        <translation>Aucune image</translation>
    </message>
    <message>
        <source>Search for</source>
        <translation>Rechercher par</translation>
    </message>
    <message>
        <source>From fill date</source>
        <translation>Délivrée à partir du</translation>
    </message>
    <message>
        <source>To fill date</source>
        <translation>Délivrée jusqu&apos;au</translation>
    </message>
    <message>
        <source>Prescriptions to be viewed</source>
        <translation>Ordonnances à consulter</translation>
    </message>
    <message>
        <source>Prescription image</source>
        <translation>Image de l&apos;ordonnance</translation>
    </message>
    <message>
        <source>Search by</source>
        <translation>Rechercher par</translation>
    </message>
    <message>
        <source>Search text</source>
        <translation>Texte à rechercher</translation>
    </message>
    <message>
        <source>Drug</source>
        <translation>Médicament</translation>
    </message>
    <message>
        <source>Not scanned</source>
        <translation>Non numérisées</translation>
    </message>
    <message>
        <source>&amp;Kept pages</source>
        <translation>Pages mises de &amp;côté</translation>
    </message>
    <message>
        <source>Pages kept apart in the Unmatched folder: file them under a prescription or set them aside</source>
        <translation>Pages mises de côté dans le dossier Unmatched : classez-les sous une ordonnance ou écartez-les</translation>
    </message>
</context>
<context>
    <name>quiller::frmShowPic</name>
    <message>
        <source>Scanned Image for Prescription</source>
        <translation>Image numérisée de l&apos;ordonnance</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimer</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>The page could not be sent to the printer.</source>
        <translation>La page n&apos;a pas pu être envoyée à l&apos;imprimante.</translation>
    </message>
    <message>
        <source>No printer is available.</source>
        <translation>Aucune imprimante n&apos;est disponible.</translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation>&amp;Aperçu</translation>
    </message>
    <message>
        <source>The image could not be printed. </source>
        <translation>L’image n’a pas pu être imprimée. </translation>
    </message>
    <message>
        <source>The image was sent to the printer %1.</source>
        <translation>L’image a été envoyée à l’imprimante %1.</translation>
    </message>
    <message>
        <source>The image was saved as %1.</source>
        <translation>L’image a été enregistrée sous %1.</translation>
    </message>
    <message>
        <source>Print Preview - %1</source>
        <translation>Aperçu avant impression - %1</translation>
    </message>
</context>
<context>
    <name>quiller::frmSupport</name>
    <message>
        <source>Technical Support</source>
        <translation>Assistance technique</translation>
    </message>
    <message>
        <source>If you have questions, please contact</source>
        <translation>Pour toute question, veuillez contacter</translation>
    </message>
    <message>
        <source>Telephone: </source>
        <translation>Téléphone : </translation>
    </message>
    <message>
        <source>Fax: </source>
        <translation>Fax : </translation>
    </message>
    <message>
        <source>E-mail: </source>
        <translation>E-mail : </translation>
    </message>
</context>
</TS>
