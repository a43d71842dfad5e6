<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ardenvo::ArchiveActions</name>
    <message>
        <source>ZIP archives (*.zip)</source>
        <translation>ZIP-Archive (*.zip)</translation>
    </message>
    <message numerus="yes">
        <source>%n picture file(s)</source>
        <translation>
            <numerusform>%n Bilddatei</numerusform>
            <numerusform>%n Bilddateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n document(s)</source>
        <translation>
            <numerusform>%n Dokument</numerusform>
            <numerusform>%n Dokumente</numerusform>
        </translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Export with pictures</source>
        <translation>Mit Bildern exportieren</translation>
    </message>
    <message>
        <source>Writing %1...</source>
        <translation>%1 wird geschrieben...</translation>
    </message>
    <message>
        <source>The archive could not be written to &quot;%1&quot;: %2</source>
        <translation>Das Archiv konnte nicht nach „%1“ geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The house, %1 and %2 were written to &quot;%3&quot;.</source>
        <translation>Das Haus, %1 und %2 wurden nach „%3“ geschrieben.</translation>
    </message>
    <message>
        <source>These files were not found; the archive&apos;s index lists them as missing:</source>
        <translation>Diese Dateien wurden nicht gefunden; das Verzeichnis des Archivs führt sie als fehlend:</translation>
    </message>
    <message>
        <source>Import archive</source>
        <translation>Archiv importieren</translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation>%1 wird gelesen...</translation>
    </message>
    <message>
        <source>The archive &quot;%1&quot; could not be imported: %2</source>
        <translation>Das Archiv „%1“ konnte nicht importiert werden: %2</translation>
    </message>
    <message>
        <source>Keep the imported house as</source>
        <translation>Importiertes Haus speichern unter</translation>
    </message>
    <message>
        <source>Ardv Files (*.av)</source>
        <translation>Ardv-Dateien (*.av)</translation>
    </message>
    <message>
        <source>%1 and %2 were taken from the archive.</source>
        <translation>%1 und %2 wurden aus dem Archiv übernommen.</translation>
    </message>
    <message>
        <source>Kept under a new name, since a different file had the name (the house names the new one):</source>
        <translation>Unter neuem Namen abgelegt, da eine andere Datei schon so hieß (das Haus nennt den neuen Namen):</translation>
    </message>
    <message>
        <source>Skipped:</source>
        <translation>Übersprungen:</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more</source>
        <translation>
            <numerusform>... und %n weitere</numerusform>
            <numerusform>... und %n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ardenvo::CsvReader</name>
    <message>
        <source>UTF-8 with BOM</source>
        <translation>UTF-8 mit BOM</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Semikolon</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Tabulator</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Komma</translation>
    </message>
    <message>
        <source>more than %1 fields</source>
        <translation>mehr als %1 Felder</translation>
    </message>
    <message>
        <source>broken quote: text after the closing quote</source>
        <translation>fehlerhaftes Anführungszeichen: Text nach dem schließenden Anführungszeichen</translation>
    </message>
    <message>
        <source>holds bytes that are not text</source>
        <translation>enthält Bytes, die kein Text sind</translation>
    </message>
    <message>
        <source>broken quote: the quote opened on line %1 is never closed</source>
        <translation>fehlerhaftes Anführungszeichen: das in Zeile %1 geöffnete Anführungszeichen wird nie geschlossen</translation>
    </message>
    <message>
        <source>broken quote: a quote inside a field that does not start with one</source>
        <translation>fehlerhaftes Anführungszeichen: ein Anführungszeichen in einem Feld, das nicht mit einem beginnt</translation>
    </message>
    <message>
        <source>line too long (a row may hold at most %1 MiB)</source>
        <translation>Zeile zu lang (eine Zeile darf höchstens %1 MiB enthalten)</translation>
    </message>
    <message>
        <source>the file is UTF-16 text; save it as UTF-8 and import it again</source>
        <translation>die Datei ist UTF-16-Text; speichern Sie sie als UTF-8 und importieren Sie sie erneut</translation>
    </message>
    <message>
        <source>the file is not text (it holds zero bytes)</source>
        <translation>die Datei ist kein Text (sie enthält Nullbytes)</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>keine Datei</translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation>die Datei konnte nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>ardenvo::HouseDiff</name>
    <message>
        <source>name %1 → %2</source>
        <translation>Name %1 → %2</translation>
    </message>
    <message>
        <source>notes %1 → %2</source>
        <translation>Notizen %1 → %2</translation>
    </message>
    <message>
        <source>attribute %1 removed (%2)</source>
        <translation>Attribut %1 entfernt (%2)</translation>
    </message>
    <message>
        <source>attribute %1 %2 → %3</source>
        <translation>Attribut %1 %2 → %3</translation>
    </message>
    <message>
        <source>attribute %1 added (%2)</source>
        <translation>Attribut %1 hinzugefügt (%2)</translation>
    </message>
    <message>
        <source>picture %1 removed</source>
        <translation>Bild %1 entfernt</translation>
    </message>
    <message>
        <source>picture %1 added</source>
        <translation>Bild %1 hinzugefügt</translation>
    </message>
    <message>
        <source>reminder %1 removed</source>
        <translation>Erinnerung %1 entfernt</translation>
    </message>
    <message>
        <source>reminder %1 added</source>
        <translation>Erinnerung %1 hinzugefügt</translation>
    </message>
    <message>
        <source>room added</source>
        <translation>Raum hinzugefügt</translation>
    </message>
    <message>
        <source>renamed from %1</source>
        <translation>umbenannt von %1</translation>
    </message>
    <message>
        <source>room removed</source>
        <translation>Raum entfernt</translation>
    </message>
    <message>
        <source>No differences.</source>
        <translation>Keine Unterschiede.</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Added: %1</source>
        <translation>Hinzugefügt: %1</translation>
    </message>
    <message>
        <source>Removed: %1</source>
        <translation>Entfernt: %1</translation>
    </message>
    <message>
        <source>Moved: %1</source>
        <translation>Verschoben: %1</translation>
    </message>
    <message>
        <source>Changed: %1</source>
        <translation>Geändert: %1</translation>
    </message>
    <message>
        <source>(from %1)</source>
        <translation>(von %1)</translation>
    </message>
    <message>
        <source>(with 1 object on, in or under it)</source>
        <translation>(mit 1 Objekt darauf, darin oder darunter)</translation>
    </message>
    <message>
        <source>(with %n objects on, in or under it)</source>
        <translation>(mit %n Objekten darauf, darin oder darunter)</translation>
    </message>
</context>
<context>
    <name>ardenvo::HouseImport</name>
    <message>
        <source>it names two objects it lies in, on or under</source>
        <translation>die Zeile nennt zwei Objekte, in, auf oder unter denen das Objekt liegt</translation>
    </message>
    <message>
        <source>it has no name</source>
        <translation>das Objekt hat keinen Namen</translation>
    </message>
    <message>
        <source>the house has no room to put it in</source>
        <translation>das Haus hat keinen Raum, in den es kommen kann</translation>
    </message>
    <message>
        <source>no object before it is where it lies: &quot;%1&quot;</source>
        <translation>kein Objekt davor ist dort, wo es liegt: „%1“</translation>
    </message>
    <message>
        <source>there is no object named %1 in %2</source>
        <translation>in %2 gibt es kein Objekt namens %1</translation>
    </message>
    <message>
        <source>the objects it lies in, on or under lead back to itself</source>
        <translation>die Objekte, in, auf oder unter denen es liegt, führen zu ihm selbst zurück</translation>
    </message>
    <message>
        <source>the object it lies in, on or under (line %1) is not taken</source>
        <translation>das Objekt, in, auf oder unter dem es liegt (Zeile %1), wird nicht übernommen</translation>
    </message>
    <message>
        <source>it would lie %1 objects deep, and a house file holds objects at most %2 deep</source>
        <translation>es läge %1 Objekte tief, eine Hausdatei fasst Objekte aber höchstens %2 tief</translation>
    </message>
</context>
<context>
    <name>ardenvo::ImportDialog</name>
    <message>
        <source>Import objects</source>
        <translation>Objekte importieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv *.tsv *.txt);;All files (*)</source>
        <translation>CSV-Dateien (*.csv *.tsv *.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Cannot import %1: %2.</source>
        <translation>%1 kann nicht importiert werden: %2.</translation>
    </message>
    <message>
        <source>Import objects - %1</source>
        <translation>Objekte importieren - %1</translation>
    </message>
    <message>
        <source>&amp;Delimiter:</source>
        <translation>&amp;Trennzeichen:</translation>
    </message>
    <message>
        <source>First row is a &amp;header</source>
        <translation>Erste Zeile ist eine &amp;Kopfzeile</translation>
    </message>
    <message>
        <source>Preview of the file</source>
        <translation>Vorschau der Datei</translation>
    </message>
    <message>
        <source>&amp;Category for other columns:</source>
        <translation>Kategorie für &amp;übrige Spalten:</translation>
    </message>
    <message>
        <source>Where the objects go</source>
        <translation>Wohin die Objekte kommen</translation>
    </message>
    <message>
        <source>Each in the room its row names (missing rooms are &amp;added to their section&apos;s plan)</source>
        <translation>Jedes in den Raum, den seine Zeile nennt (fehlende Räume werden dem Plan ihres Bereichs &amp;hinzugefügt)</translation>
    </message>
    <message>
        <source>Everything in &amp;one room</source>
        <translation>Alles in &amp;einen Raum</translation>
    </message>
    <message>
        <source>Rows &amp;not taken:</source>
        <translation>&amp;Nicht übernommene Zeilen:</translation>
    </message>
    <message>
        <source>Rows not taken</source>
        <translation>Nicht übernommene Zeilen</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>Map to</source>
        <translation>Zuordnen zu</translation>
    </message>
    <message>
        <source>Map column %1 to</source>
        <translation>Spalte %1 zuordnen zu</translation>
    </message>
    <message>
        <source>Encoding: %1</source>
        <translation>Kodierung: %1</translation>
    </message>
    <message>
        <source>Recognised: %1</source>
        <translation>Erkannt: %1</translation>
    </message>
    <message>
        <source>The &amp;room:</source>
        <translation>Der &amp;Raum:</translation>
    </message>
    <message>
        <source>Rows without a &amp;room go to:</source>
        <translation>Zeilen ohne &amp;Raum kommen nach:</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>The file holds no rows to import.</source>
        <translation>Die Datei enthält keine Zeilen zum Importieren.</translation>
    </message>
    <message>
        <source>%1 will be added in %2, %3 of them new.</source>
        <extracomment>%1 is &quot;N object(s)&quot;, %2 &quot;N room(s)&quot;, %3 a number of rooms</extracomment>
        <translation>Hinzugefügt werden: %1 in %2, davon %3 neu.</translation>
    </message>
    <message numerus="yes">
        <source>%n object(s)</source>
        <translation>
            <numerusform>%n Objekt</numerusform>
            <numerusform>%n Objekte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n room(s)</source>
        <translation>
            <numerusform>%n Raum</numerusform>
            <numerusform>%n Räumen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) cannot be taken: Import adds the others, Cancel adds nothing.</source>
        <translation>
            <numerusform>%n Zeile kann nicht übernommen werden: Importieren fügt die übrigen hinzu, Abbrechen fügt nichts hinzu.</numerusform>
            <numerusform>%n Zeilen können nicht übernommen werden: Importieren fügt die übrigen hinzu, Abbrechen fügt nichts hinzu.</numerusform>
        </translation>
    </message>
    <message>
        <source>Every object of this file has a namesake where it would go: the file may have been imported before.

Import it again? The new objects&apos; names get a number.</source>
        <translation>Jedes Objekt dieser Datei hat dort, wohin es käme, schon ein gleichnamiges: Die Datei wurde vielleicht schon einmal importiert.

Trotzdem erneut importieren? Die Namen der neuen Objekte erhalten eine Nummer.</translation>
    </message>
</context>
<context>
    <name>ardenvo::ImportMapping</name>
    <message>
        <source>the Ardenvo export</source>
        <translation>der Ardenvo-Export</translation>
    </message>
    <message>
        <source>a HomeBox export</source>
        <translation>ein HomeBox-Export</translation>
    </message>
    <message>
        <source>Leave out</source>
        <translation>Auslassen</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Raum</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Inside (object name)</source>
        <translation>Darin (Name des Objekts)</translation>
    </message>
    <message>
        <source>On top of (object name)</source>
        <translation>Darauf (Name des Objekts)</translation>
    </message>
    <message>
        <source>Under (object name)</source>
        <translation>Darunter (Name des Objekts)</translation>
    </message>
    <message>
        <source>Where (Ardenvo export)</source>
        <translation>Wo (Ardenvo-Export)</translation>
    </message>
    <message>
        <source>Other attributes (Ardenvo export)</source>
        <translation>Weitere Attribute (Ardenvo-Export)</translation>
    </message>
    <message>
        <source>Location (HomeBox)</source>
        <translation>Ort (HomeBox)</translation>
    </message>
</context>
<context>
    <name>ardenvo::LabelPrinter</name>
    <message>
        <source>The labels could not be drawn.</source>
        <translation>Die Etiketten konnten nicht gezeichnet werden.</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weiteres</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ardenvo::LabelSheet</name>
    <message>
        <source>A4, 3 x 8 labels of 70 x 37 mm</source>
        <translation>A4, 3 x 8 Etiketten zu 70 x 37 mm</translation>
    </message>
    <message>
        <source>A4, 2 x 7 labels of 99.1 x 38.1 mm</source>
        <translation>A4, 2 x 7 Etiketten zu 99,1 x 38,1 mm</translation>
    </message>
    <message>
        <source>A4, 3 x 7 labels of 63.5 x 38.1 mm</source>
        <translation>A4, 3 x 7 Etiketten zu 63,5 x 38,1 mm</translation>
    </message>
    <message>
        <source>A4, 4 x 10 labels of 48.5 x 25.4 mm</source>
        <translation>A4, 4 x 10 Etiketten zu 48,5 x 25,4 mm</translation>
    </message>
    <message>
        <source>US Letter, 3 x 10 labels of 66.7 x 25.4 mm</source>
        <translation>US Letter, 3 x 10 Etiketten zu 66,7 x 25,4 mm</translation>
    </message>
    <message>
        <source>Roll 62 mm wide, one label of 62 x 100 mm each</source>
        <translation>Rolle, 62 mm breit, je ein Etikett zu 62 x 100 mm</translation>
    </message>
    <message>
        <source>Every length of the sheet must be more than 0 and at most %1 mm.</source>
        <translation>Jede Länge des Bogens muss größer als 0 und höchstens %1 mm sein.</translation>
    </message>
    <message>
        <source>The margins must not be negative.</source>
        <translation>Die Ränder dürfen nicht negativ sein.</translation>
    </message>
    <message>
        <source>A sheet has from 1 to %1 columns and rows.</source>
        <translation>Ein Bogen hat 1 bis %1 Spalten und Zeilen.</translation>
    </message>
    <message>
        <source>A label must be at least %1 x %2 mm to hold a readable code; these are %3 x %4 mm.</source>
        <translation>Ein Etikett muss mindestens %1 x %2 mm groß sein, um einen lesbaren Code zu tragen; diese sind %3 x %4 mm groß.</translation>
    </message>
    <message>
        <source>The labels overlap: the horizontal pitch of %1 mm is less than their width of %2 mm.</source>
        <translation>Die Etiketten überlappen: Der waagrechte Abstand von %1 mm ist kleiner als ihre Breite von %2 mm.</translation>
    </message>
    <message>
        <source>The labels overlap: the vertical pitch of %1 mm is less than their height of %2 mm.</source>
        <translation>Die Etiketten überlappen: Der senkrechte Abstand von %1 mm ist kleiner als ihre Höhe von %2 mm.</translation>
    </message>
    <message>
        <source>The labels do not fit the page: %1 columns end %2 mm from the left edge, past the page&apos;s width of %3 mm.</source>
        <translation>Die Etiketten passen nicht auf die Seite: %1 Spalten enden %2 mm vom linken Rand, jenseits der Seitenbreite von %3 mm.</translation>
    </message>
    <message>
        <source>The labels do not fit the page: %1 rows end %2 mm from the top edge, past the page&apos;s height of %3 mm.</source>
        <translation>Die Etiketten passen nicht auf die Seite: %1 Zeilen enden %2 mm vom oberen Rand, jenseits der Seitenhöhe von %3 mm.</translation>
    </message>
    <message>
        <source>Start at label: the sheet has labels 1 to %1, not %2.</source>
        <translation>Beginn bei Etikett: Der Bogen hat die Etiketten 1 bis %1, nicht %2.</translation>
    </message>
</context>
<context>
    <name>ardenvo::LabelsDialog</name>
    <message>
        <source>This house has no rooms or halls, so there is nothing to put on a label.</source>
        <translation>Dieses Haus hat keine Räume oder Flure, es gibt also nichts für ein Etikett.</translation>
    </message>
    <message>
        <source>Print labels</source>
        <translation>Etiketten drucken</translation>
    </message>
    <message>
        <source>Labels for</source>
        <translation>Etiketten für</translation>
    </message>
    <message>
        <source>Every ticked room and object gets a label.</source>
        <translation>Jeder angekreuzte Raum und jedes angekreuzte Objekt erhält ein Etikett.</translation>
    </message>
    <message>
        <source>Every object that &amp;holds others</source>
        <translation>Jedes Objekt, das andere &amp;enthält</translation>
    </message>
    <message>
        <source>The &amp;rooms</source>
        <translation>Die &amp;Räume</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>Bogen</translation>
    </message>
    <message>
        <source>Custom sheet</source>
        <translation>Eigener Bogen</translation>
    </message>
    <message>
        <source>&amp;Layout:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>Pa&amp;ge (mm):</source>
        <translation>&amp;Seite (mm):</translation>
    </message>
    <message>
        <source>Labels &amp;across, down:</source>
        <translation>Etiketten &amp;nebeneinander, untereinander:</translation>
    </message>
    <message>
        <source>La&amp;bel (mm):</source>
        <translation>Eti&amp;kett (mm):</translation>
    </message>
    <message>
        <source>&amp;Margins left, top (mm):</source>
        <translation>Ränder links, o&amp;ben (mm):</translation>
    </message>
    <message>
        <source>Pi&amp;tch across, down (mm):</source>
        <translation>&amp;Abstand nebeneinander, untereinander (mm):</translation>
    </message>
    <message>
        <source>Page width</source>
        <translation>Seitenbreite</translation>
    </message>
    <message>
        <source>Page height</source>
        <translation>Seitenhöhe</translation>
    </message>
    <message>
        <source>Labels across</source>
        <translation>Etiketten nebeneinander</translation>
    </message>
    <message>
        <source>Labels down</source>
        <translation>Etiketten untereinander</translation>
    </message>
    <message>
        <source>Label width</source>
        <translation>Etikettenbreite</translation>
    </message>
    <message>
        <source>Label height</source>
        <translation>Etikettenhöhe</translation>
    </message>
    <message>
        <source>Left margin</source>
        <translation>Linker Rand</translation>
    </message>
    <message>
        <source>Top margin</source>
        <translation>Oberer Rand</translation>
    </message>
    <message>
        <source>Pitch across</source>
        <translation>Abstand nebeneinander</translation>
    </message>
    <message>
        <source>Pitch down</source>
        <translation>Abstand untereinander</translation>
    </message>
    <message>
        <source> mm</source>
        <extracomment>the unit after a length</extracomment>
        <translation> mm</translation>
    </message>
    <message>
        <source>&amp;Start at label:</source>
        <translation>Beginn bei E&amp;tikett:</translation>
    </message>
    <message>
        <source>Label &amp;codes (&quot;AV-0012&quot;, kept as Label / Code)</source>
        <extracomment>&quot;Label / Code&quot; are the category and attribute the house keeps the code under: keep them</extracomment>
        <translation>Etiketten&amp;codes („AV-0012“, gespeichert als Label / Code)</translation>
    </message>
    <message>
        <source>Each object&apos;s label carries a short code, stored on the object so that &quot;Ask the tobrin&quot; finds it.</source>
        <translation>Das Etikett jedes Objekts trägt einen kurzen Code, der beim Objekt gespeichert wird, damit „Ask the tobrin“ es findet.</translation>
    </message>
    <message>
        <source>The first sheet</source>
        <translation>Der erste Bogen</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Save as P&amp;DF...</source>
        <translation>Als &amp;PDF speichern...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>No preview: the sheet cannot be used.</source>
        <translation>Keine Vorschau: Der Bogen kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>No labels are chosen: tick the rooms and objects that should get one.</source>
        <translation>Keine Etiketten gewählt: Kreuzen Sie die Räume und Objekte an, die eines erhalten sollen.</translation>
    </message>
    <message>
        <source>%1 labels.pdf</source>
        <extracomment>a file name: %1 is the house&apos;s title</extracomment>
        <translation>%1 Etiketten.pdf</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Als PDF speichern</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Writing the labels...</source>
        <translation>Die Etiketten werden geschrieben...</translation>
    </message>
    <message>
        <source>The labels could not be written to &quot;%1&quot;: %2</source>
        <translation>Die Etiketten konnten nicht nach „%1“ geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Printing...</source>
        <translation>Wird gedruckt...</translation>
    </message>
</context>
<context>
    <name>ardenvo::VersionsDialog</name>
    <message>
        <source>Earlier versions</source>
        <translation>Frühere Versionen</translation>
    </message>
    <message>
        <source>No earlier versions of this house have been kept yet: one is kept each time a save replaces it.</source>
        <translation>Von diesem Haus wurden noch keine früheren Versionen aufbewahrt: Eine wird jedes Mal aufbewahrt, wenn Speichern es ersetzt.</translation>
    </message>
    <message>
        <source>&amp;Versions kept of %1, newest first:</source>
        <extracomment>%1 is the house&apos;s file</extracomment>
        <translation>&amp;Gespeicherte Versionen von %1, die neueste zuerst:</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>&amp;What changed from the selected version to the house as it is now:</source>
        <translation>&amp;Was sich von der gewählten Version bis zum jetzigen Haus geändert hat:</translation>
    </message>
    <message>
        <source>Differences</source>
        <translation>Unterschiede</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Show this version as the house, unsaved; saving it makes it the house again</source>
        <translation>Diese Version als Haus zeigen, ungespeichert; Speichern macht sie wieder zum Haus</translation>
    </message>
    <message>
        <source>damaged</source>
        <comment>a version of the house</comment>
        <translation>beschädigt</translation>
    </message>
    <message>
        <source>This version is damaged and cannot be opened.</source>
        <translation>Diese Version ist beschädigt und kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>This version is damaged: it is not a house that can be read, so it is never opened.</source>
        <translation>Diese Version ist beschädigt: Sie ist kein lesbares Haus und wird daher nie geöffnet.</translation>
    </message>
</context>
</TS>
