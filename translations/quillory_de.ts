<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>QFontDialog</name>
    <message>
        <source>Select Font</source>
        <translation>Schriftart auswählen</translation>
    </message>
</context>
<context>
    <name>quillory::shell::VerbFiles</name>
    <message>
        <source>Print listing with Quillory</source>
        <translation>Dateiliste mit Quillory drucken</translation>
    </message>
    <message>
        <source>List the folder&apos;s files with Quillory</source>
        <translation>Die Dateien des Ordners mit Quillory auflisten</translation>
    </message>
</context>
<context>
    <name>quillory::ui::DisplayColumnsTab</name>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Typ</translation>
    </message>
    <message>
        <source>&amp;Extension</source>
        <translation>&amp;Erweiterung</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>G&amp;röße</translation>
    </message>
    <message>
        <source>Date T&amp;ime</source>
        <translation>&amp;Datum/Uhrzeit</translation>
    </message>
    <message>
        <source>&amp;Attributes</source>
        <translation>Attrib&amp;ute</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Spalte</translation>
    </message>
    <message>
        <source>Display name</source>
        <translation>Angezeigter Name</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>D&amp;ynamic mode (Auto)</source>
        <translation>D&amp;ynamisch (automatisch)</translation>
    </message>
    <message>
        <source>&amp;Megabytes (Mb)</source>
        <translation>&amp;Megabyte (MB)</translation>
    </message>
    <message>
        <source>&amp;Kilobytes (Kb)</source>
        <translation>&amp;Kilobyte (KB)</translation>
    </message>
    <message>
        <source>&amp;Bytes</source>
        <translation>&amp;Byte</translation>
    </message>
    <message>
        <source>Display  file size in</source>
        <translation>Dateigröße anzeigen in</translation>
    </message>
</context>
<context>
    <name>quillory::ui::FileFilterTab</name>
    <message>
        <source>&amp;Process only files modified between</source>
        <translation>Nur Dateien mit Änderungs&amp;zeit zwischen</translation>
    </message>
    <message>
        <source>Fill C&amp;urrent Time</source>
        <translation>Aktuelle Zeit &amp;einsetzen</translation>
    </message>
    <message>
        <source>Process only file si&amp;zes between</source>
        <translation>Nur Dateien mit einer &amp;Größe zwischen</translation>
    </message>
    <message>
        <source>File time filter</source>
        <translation>Filter nach Änderungszeit</translation>
    </message>
    <message>
        <source>S&amp;tart :</source>
        <translation>&amp;Von:</translation>
    </message>
    <message>
        <source>&amp;End :</source>
        <translation>B&amp;is:</translation>
    </message>
    <message>
        <source>File size filter</source>
        <translation>Filter nach Dateigröße</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>Byte</translation>
    </message>
    <message>
        <source>File name filter. Use wildcards. Use semicolons to seperate entries.</source>
        <translation>Filter für Dateinamen. Platzhalter sind erlaubt, mehrere Einträge werden durch Semikolons getrennt.</translation>
    </message>
    <message>
        <source>&amp;Include :</source>
        <translation>Ei&amp;nschließen:</translation>
    </message>
    <message>
        <source>&amp;Skip :</source>
        <translation>Aus&amp;lassen:</translation>
    </message>
    <message>
        <source>Folder name filter. Use wildcards. Use semicolons to seperate entries.</source>
        <translation>Filter für Ordnernamen. Platzhalter sind erlaubt, mehrere Einträge werden durch Semikolons getrennt.</translation>
    </message>
    <message>
        <source>In&amp;clude :</source>
        <translation>Eins&amp;chließen:</translation>
    </message>
    <message>
        <source>S&amp;kip :</source>
        <translation>A&amp;uslassen:</translation>
    </message>
</context>
<context>
    <name>quillory::ui::FolderTreeModel</name>
    <message>
        <source>Desktop</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Arbeitsplatz</translation>
    </message>
</context>
<context>
    <name>quillory::ui::HtmlStyleTab</name>
    <message>
        <source>&amp;Change</source>
        <translation>Ä&amp;ndern</translation>
    </message>
    <message>
        <source>Folder Fo&amp;nt</source>
        <translation>Ordner-Schrif&amp;t</translation>
    </message>
    <message>
        <source>Folder Bac&amp;kground</source>
        <translation>Ordner-Hintergrun&amp;d</translation>
    </message>
    <message>
        <source>File Fon&amp;t</source>
        <translation>Dat&amp;ei-Schrift</translation>
    </message>
    <message>
        <source>&amp;Even Row Background</source>
        <translation>Hintergrund &amp;gerader Zeilen</translation>
    </message>
    <message>
        <source>Odd Ro&amp;w Background</source>
        <translation>Hintergrund &amp;ungerader Zeilen</translation>
    </message>
    <message>
        <source>Body Background</source>
        <translation>Seitenhintergrund</translation>
    </message>
    <message>
        <source>Folder Header Style</source>
        <translation>Stil der Ordnerüberschrift</translation>
    </message>
    <message>
        <source>Folder Listing Style</source>
        <translation>Stil der Dateiliste</translation>
    </message>
    <message>
        <source>Choose color sche&amp;me :</source>
        <translation>Farbsche&amp;ma wählen:</translation>
    </message>
</context>
<context>
    <name>quillory::ui::OutputOptionsTab</name>
    <message>
        <source>&amp;No order</source>
        <translation>&amp;Keine Sortierung</translation>
    </message>
    <message>
        <source>Na&amp;me</source>
        <translation>Na&amp;me</translation>
    </message>
    <message>
        <source>&amp;Size</source>
        <translation>&amp;Größe</translation>
    </message>
    <message>
        <source>&amp;Extension</source>
        <translation>&amp;Erweiterung</translation>
    </message>
    <message>
        <source>&amp;Type</source>
        <translation>&amp;Typ</translation>
    </message>
    <message>
        <source>D&amp;ate</source>
        <translation>&amp;Datum</translation>
    </message>
    <message>
        <source>Do not re&amp;curse folder</source>
        <translation>&amp;Unterordner nicht einbeziehen</translation>
    </message>
    <message>
        <source>Recurse folder &amp;infinitely</source>
        <translation>Alle Unterordner e&amp;inbeziehen</translation>
    </message>
    <message>
        <source>Recurse folder &amp;upto specified depth</source>
        <translation>Unterordner &amp;bis zur angegebenen Tiefe</translation>
    </message>
    <message>
        <source>I&amp;gnore folders that do not have files in them.</source>
        <translation>&amp;Ordner ohne Dateien auslassen.</translation>
    </message>
    <message>
        <source>Escape names for HTML and CSV readers</source>
        <translation>Namen für HTML- und CSV-Leser maskieren</translation>
    </message>
    <message>
        <source>Sort files by order :</source>
        <translation>Dateien sortieren nach:</translation>
    </message>
    <message>
        <source>Recursion options</source>
        <translation>Unterordner</translation>
    </message>
    <message>
        <source>Other settings</source>
        <translation>Weitere Einstellungen</translation>
    </message>
</context>
<context>
    <name>quillory::ui::PagedPdfPrint</name>
    <message>
        <source>the browser&apos;s page process ended while printing</source>
        <translation>der Seitenprozess des Browsers endete während des Druckens</translation>
    </message>
    <message>
        <source>no room for the printed pages</source>
        <translation>kein Platz für die gedruckten Seiten</translation>
    </message>
    <message>
        <source>a page of the listing could not be loaded</source>
        <translation>eine Seite der Liste konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>a page could not be printed</source>
        <translation>eine Seite konnte nicht gedruckt werden</translation>
    </message>
    <message>
        <source>the PDF file could not be written to %1</source>
        <translation>die PDF-Datei konnte nicht nach %1 geschrieben werden</translation>
    </message>
    <message>
        <source>qpdf is not installed</source>
        <translation>qpdf ist nicht installiert</translation>
    </message>
    <message>
        <source>qpdf failed: %1</source>
        <translation>qpdf ist fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>quillory::ui::frmAbout</name>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Quillory adds to your Linux file manager the ability to print the file list of any folder. It is easy to use and to configure, and it can be reached from the file manager&apos;s right-click menu on a folder.</source>
        <translation>Quillory druckt aus Ihrem Linux-Dateimanager die Dateiliste jedes Ordners. Es ist leicht zu bedienen und einzurichten und über das Rechtsklick-Menü eines Ordners erreichbar.</translation>
    </message>
    <message>
        <source>Free software, provided as is, without any warranty.</source>
        <translation>Freie Software, bereitgestellt wie sie ist, ohne jede Gewährleistung.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>quillory::ui::frmMain</name>
    <message>
        <source>Select directory</source>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>Cannot list files on web sites.</source>
        <translation>Dateien auf Websites können nicht aufgelistet werden.</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Bitte wählen Sie einen Ordner.</translation>
    </message>
    <message>
        <source>Cannot list web sites.</source>
        <translation>Websites können nicht aufgelistet werden.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Please select a folder</source>
        <translation>Bitte wählen Sie einen Ordner</translation>
    </message>
    <message>
        <source>Sort files by order :</source>
        <translation>Dateien sortieren nach:</translation>
    </message>
    <message>
        <source>No order</source>
        <translation>Keine Sortierung</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Extension</source>
        <translation>Erweiterung</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Recursion options</source>
        <translation>Unterordner</translation>
    </message>
    <message>
        <source>Recurse folder infinitely</source>
        <translation>Alle Unterordner einbeziehen</translation>
    </message>
    <message>
        <source>Do not recurse folder</source>
        <translation>Unterordner nicht einbeziehen</translation>
    </message>
    <message>
        <source>File Filter</source>
        <translation>Dateifilter</translation>
    </message>
    <message>
        <source>Source Folder</source>
        <translation>Quellordner</translation>
    </message>
    <message>
        <source>Selected folder: %1</source>
        <translation>Ausgewählter Ordner: %1</translation>
    </message>
    <message>
        <source>Invalid folder specified.</source>
        <translation>Ungültiger Ordner angegeben.</translation>
    </message>
    <message>
        <source>&amp;Listing</source>
        <translation>&amp;Liste</translation>
    </message>
    <message>
        <source>&amp;Open Source Folder</source>
        <translation>Quellordner &amp;öffnen</translation>
    </message>
    <message>
        <source>Save As &amp;HTM</source>
        <translation>Als &amp;HTM speichern</translation>
    </message>
    <message>
        <source>S&amp;ave As Spreadsheet</source>
        <translation>Als &amp;Tabelle speichern</translation>
    </message>
    <message>
        <source>&amp;Preview</source>
        <translation>&amp;Vorschau</translation>
    </message>
    <message>
        <source>&amp;Stop Generation</source>
        <translation>Erstellung &amp;stoppen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Log Events</source>
        <translation>Ereignisse protokollieren</translation>
    </message>
    <message>
        <source>Use internal browser</source>
        <translation>Internen Browser verwenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Help Contents</source>
        <translation>Hilfe-Inhalt</translation>
    </message>
    <message>
        <source>Visit &amp;Website</source>
        <translation>&amp;Website besuchen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Open source folder</source>
        <translation>Quellordner öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save file list to file</source>
        <translation>Dateiliste in eine Datei speichern</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Preview the file listing</source>
        <translation>Vorschau der Dateiliste</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stop the current operation</source>
        <translation>Laufenden Vorgang abbrechen</translation>
    </message>
    <message>
        <source>Map Drive</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Map network drive</source>
        <translation>Netzlaufwerk verbinden</translation>
    </message>
    <message>
        <source>Change settings</source>
        <translation>Einstellungen ändern</translation>
    </message>
    <message>
        <source>HTML Documents (*.html);;All Files (*.*)</source>
        <translation>HTML-Dokumente (*.html);;Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Comma Separated Values (*.csv);;All Files (*.*)</source>
        <translation>Kommagetrennte Werte (*.csv);;Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Error mapping to network drive.</source>
        <translation>Fehler beim Verbinden des Netzlaufwerks.</translation>
    </message>
    <message>
        <source>The listing could not be written to %1:
%2</source>
        <translation>Die Liste konnte nicht nach %1 geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>Listing was saved to specified file successfully.</source>
        <translation>Die Liste wurde erfolgreich in der angegebenen Datei gespeichert.</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>The listing could not be saved to %1:
%2</source>
        <translation>Die Liste konnte nicht in %1 gespeichert werden:
%2</translation>
    </message>
    <message>
        <source>Scanning folder: %1</source>
        <translation>Durchsuche Ordner: %1</translation>
    </message>
    <message>
        <source>%L1 files, %L2 folders</source>
        <translation>%L1 Dateien, %L2 Ordner</translation>
    </message>
    <message>
        <source>1 folder could not be read</source>
        <translation>1 Ordner konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>%L1 folders could not be read</source>
        <translation>%L1 Ordner konnten nicht gelesen werden</translation>
    </message>
    <message>
        <source>The run was stopped.</source>
        <translation>Der Lauf wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Another instance already running.</source>
        <translation>Das Programm läuft bereits.</translation>
    </message>
    <message>
        <source>Cannot start two instances</source>
        <translation>Zwei Instanzen können nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>quillory::ui::frmPreview</name>
    <message>
        <source>Quillory - Preview &amp; Print</source>
        <translation>Quillory - Vorschau &amp; Druck</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save the listing as an HTML file</source>
        <translation>Die Liste als HTML-Datei speichern</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print the listing</source>
        <translation>Die Liste drucken</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close the preview</source>
        <translation>Die Vorschau schließen</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Erste</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Letzte</translation>
    </message>
    <message>
        <source>Find a folder</source>
        <translation>Ordner suchen</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>HTML Documents (*.html);;All Files (*.*)</source>
        <translation>HTML-Dokumente (*.html);;Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Listing was saved to specified file successfully.</source>
        <translation>Die Liste wurde erfolgreich in der angegebenen Datei gespeichert.</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>The listing could not be saved to %1: %2.</source>
        <translation>Die Liste konnte nicht in %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>Printing page %1 of %2...</source>
        <translation>Seite %1 von %2 wird gedruckt...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The listing could not be sent to the printer.</source>
        <translation>Die Liste konnte nicht an den Drucker gesendet werden.</translation>
    </message>
    <message>
        <source>The listing could not be printed (%1).</source>
        <translation>Die Liste konnte nicht gedruckt werden (%1).</translation>
    </message>
    <message>
        <source>Loading the listing...</source>
        <translation>Die Liste wird geladen...</translation>
    </message>
    <message>
        <source>The listing could not be loaded.</source>
        <translation>Die Liste konnte nicht geladen werden.</translation>
    </message>
    <message>
        <source>the page could not be loaded</source>
        <translation>die Seite konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>the browser&apos;s page process was ended, perhaps for lack of memory</source>
        <translation>der Seitenprozess des Browsers wurde beendet, vielleicht aus Speichermangel</translation>
    </message>
    <message>
        <source>the browser&apos;s page process crashed</source>
        <translation>der Seitenprozess des Browsers ist abgestürzt</translation>
    </message>
    <message>
        <source>the browser&apos;s page process ended abnormally</source>
        <translation>der Seitenprozess des Browsers endete unerwartet</translation>
    </message>
    <message>
        <source>The listing could not be shown.</source>
        <translation>Die Liste konnte nicht angezeigt werden.</translation>
    </message>
    <message>
        <source>The preview could not show the listing (%1).

Open it in the default web browser instead?</source>
        <translation>Die Vorschau konnte die Liste nicht anzeigen (%1).

Stattdessen im Standard-Webbrowser öffnen?</translation>
    </message>
    <message>
        <source>List Again with Names Escaped</source>
        <translation>Mit maskierten Namen neu auflisten</translation>
    </message>
    <message>
        <source>1 name in this listing holds the character &quot;&lt;&quot;: the browser may read it as markup and hide the rows after it.</source>
        <translation>1 Name in dieser Liste enthält das Zeichen &quot;&lt;&quot;: Der Browser kann ihn als Auszeichnung lesen und die folgenden Zeilen verbergen.</translation>
    </message>
    <message>
        <source>%L1 names in this listing hold the character &quot;&lt;&quot;: the browser may read them as markup and hide the rows after them.</source>
        <translation>%L1 Namen in dieser Liste enthalten das Zeichen &quot;&lt;&quot;: Der Browser kann sie als Auszeichnung lesen und die folgenden Zeilen verbergen.</translation>
    </message>
</context>
<context>
    <name>quillory::ui::frmSettings</name>
    <message>
        <source>Error writing to registry</source>
        <translation>Fehler beim Schreiben des Kontextmenü-Eintrags</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&amp;File filter</source>
        <translation>Datei&amp;filter</translation>
    </message>
    <message>
        <source>&amp;Output options</source>
        <translation>&amp;Ausgabeoptionen</translation>
    </message>
    <message>
        <source>&amp;Display columns</source>
        <translation>Angezeigte &amp;Spalten</translation>
    </message>
    <message>
        <source>&amp;HTML style options</source>
        <translation>&amp;HTML-Stiloptionen</translation>
    </message>
    <message>
        <source>Add right-click shell e&amp;xtension to folders</source>
        <translation>Eintrag im Kontextmen&amp;ü für Ordner hinzufügen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Color:</source>
        <translation>&amp;Farbe:</translation>
    </message>
</context>
<context>
    <name>quillory::ui::frmmap</name>
    <message>
        <source>Map Network Drive</source>
        <translation>Netzlaufwerk verbinden</translation>
    </message>
    <message>
        <source>Map a network drive to a local drive in order to print file lists from it.</source>
        <translation>Verbinden Sie ein Netzlaufwerk mit einem Laufwerksbuchstaben, um Dateilisten davon zu drucken.</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Fertigstellen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Ex: \\servername\sharename</source>
        <translation>Bsp.: \\servername\freigabename</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <source>Connected drive</source>
        <translation>Verbundenes Laufwerk</translation>
    </message>
    <message>
        <source>Error mapping to network drive.</source>
        <translation>Fehler beim Verbinden des Netzlaufwerks.</translation>
    </message>
    <message>
        <source>Password for %1 (%2:)</source>
        <translation>Passwort für %1 (%2:)</translation>
    </message>
    <message>
        <source> as %1</source>
        <translation> als %1</translation>
    </message>
</context>
</TS>
