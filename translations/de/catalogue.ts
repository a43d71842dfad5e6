<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ardenvo::CategoryPanel</name>
    <message>
        <source>Custom fields for the selected objects</source>
        <translation>Eigene Felder der gewählten Objekte</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Custom fields</source>
        <translation>Eigene Felder</translation>
    </message>
    <message>
        <source>Show all &amp;category items</source>
        <translation>Alle &amp;Kategorieeinträge zeigen</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Categor&amp;y:</source>
        <translation>Kategor&amp;ie:</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>Detail&amp;s:</source>
        <translation>&amp;Details:</translation>
    </message>
    <message>
        <source>A&amp;dd</source>
        <translation>Neues &amp;Feld</translation>
    </message>
    <message>
        <source>Add a new custom field</source>
        <translation>Ein neues eigenes Feld hinzufügen</translation>
    </message>
    <message>
        <source>Dele&amp;te</source>
        <translation>Feld lö&amp;schen</translation>
    </message>
    <message>
        <source>Delete the selected field</source>
        <translation>Das gewählte Feld löschen</translation>
    </message>
    <message>
        <source>Record will be deleted. Are you sure?</source>
        <translation>Der Eintrag wird gelöscht. Sind Sie sicher?</translation>
    </message>
    <message>
        <source>PDF, 1 page</source>
        <translation>PDF, 1 Seite</translation>
    </message>
    <message numerus="yes">
        <source>PDF, %n pages</source>
        <translation>
            <numerusform>PDF, %n Seite</numerusform>
            <numerusform>PDF, %n Seiten</numerusform>
        </translation>
    </message>
    <message>
        <source>Picture, %1 x %2</source>
        <translation>Bild, %1 x %2</translation>
    </message>
    <message>
        <source>Text file</source>
        <translation>Textdatei</translation>
    </message>
    <message>
        <source>O&amp;pen</source>
        <translation>&amp;Öffnen</translation>
    </message>
    <message>
        <source>Open the document with the desktop&apos;s program for it</source>
        <translation>Das Dokument mit dem Programm des Desktops dafür öffnen</translation>
    </message>
    <message>
        <source>Attach doc&amp;ument...</source>
        <translation>Dok&amp;ument anhängen...</translation>
    </message>
    <message>
        <source>Keep a receipt, manual or warranty card with the object</source>
        <translation>Einen Beleg, eine Anleitung oder eine Garantiekarte beim Objekt aufbewahren</translation>
    </message>
    <message>
        <source>The file is missing from the Documents folder</source>
        <translation>Die Datei fehlt im Ordner Documents</translation>
    </message>
    <message>
        <source>Cannot show this document</source>
        <translation>Dieses Dokument kann nicht angezeigt werden</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>No file named in Details.</source>
        <translation>In Details ist keine Datei genannt.</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is missing from the Documents folder.</source>
        <translation>Die Datei „%1“ fehlt im Ordner Documents.</translation>
    </message>
    <message>
        <source>%1
Reading the document...</source>
        <translation>%1
Das Dokument wird gelesen...</translation>
    </message>
    <message>
        <source>cannot show this document</source>
        <translation>dieses Dokument kann nicht angezeigt werden</translation>
    </message>
    <message>
        <source>%1
Cannot show this document (%2).</source>
        <translation>%1
Dieses Dokument kann nicht angezeigt werden (%2).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be copied into the Documents folder: %2</source>
        <translation>„%1“ konnte nicht in den Ordner Documents kopiert werden: %2</translation>
    </message>
    <message>
        <source>No program could open &quot;%1&quot;.</source>
        <translation>Kein Programm konnte „%1“ öffnen.</translation>
    </message>
    <message>
        <source>Add &amp;new category</source>
        <translation>&amp;Neue Kategorie</translation>
    </message>
    <message>
        <source>Add from &amp;file...</source>
        <translation>Aus &amp;Datei hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save &amp;with values...</source>
        <translation>Speichern &amp;mit Werten...</translation>
    </message>
    <message>
        <source>Save with&amp;out values...</source>
        <translation>Speichern &amp;ohne Werte...</translation>
    </message>
    <message>
        <source>&amp;Rename...</source>
        <translation>&amp;Umbenennen...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>The field file &quot;%1&quot; could not be opened. No category was added.</source>
        <translation>Die Felddatei „%1“ konnte nicht geöffnet werden. Es wurde keine Kategorie hinzugefügt.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is not a field file, or it is damaged. No category was added.</source>
        <translation>Die Datei „%1“ ist keine Felddatei oder sie ist beschädigt. Es wurde keine Kategorie hinzugefügt.</translation>
    </message>
    <message>
        <source>The field file &quot;%1&quot; could not be written. A file already there is left as it was.</source>
        <translation>Die Felddatei „%1“ konnte nicht geschrieben werden. Eine schon vorhandene Datei bleibt, wie sie war.</translation>
    </message>
    <message>
        <source>Reminder can&apos;t be renamed</source>
        <translation>Die Erinnerung kann nicht umbenannt werden</translation>
    </message>
    <message>
        <source>Reminder can&apos;t be deleted</source>
        <translation>Die Erinnerung kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Reminder attribute can&apos;t be deleted from the list of categories</source>
        <translation>Das Erinnerungsattribut kann nicht aus der Liste der Kategorien gelöscht werden</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
</context>
<context>
    <name>ardenvo::DocumentFiles</name>
    <message>
        <source>Not a file</source>
        <translation>Keine Datei</translation>
    </message>
    <message>
        <source>No free name for it in the Documents folder</source>
        <translation>Im Ordner Documents ist kein freier Name dafür</translation>
    </message>
    <message>
        <source>The file name leads outside the Documents folder</source>
        <translation>Der Dateiname führt aus dem Ordner Documents hinaus</translation>
    </message>
    <message>
        <source>The Documents folder cannot be made</source>
        <translation>Der Ordner Documents kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>ardenvo::DocumentPreview</name>
    <message>
        <source>damaged</source>
        <translation>beschädigt</translation>
    </message>
    <message>
        <source>encrypted</source>
        <translation>verschlüsselt</translation>
    </message>
    <message>
        <source>takes too long to draw</source>
        <translation>braucht zu lange zum Zeichnen</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
    <message>
        <source>not a PDF, picture or text file</source>
        <translation>keine PDF-, Bild- oder Textdatei</translation>
    </message>
</context>
<context>
    <name>ardenvo::FieldPanelSettings</name>
    <message>
        <source>Field files (*.fld)</source>
        <translation>Felddateien (*.fld)</translation>
    </message>
    <message>
        <source>Attach document</source>
        <translation>Dokument anhängen</translation>
    </message>
    <message>
        <source>Documents (*.pdf %1 %2);;PDF files (*.pdf);;Pictures (%1);;Text files (%2)</source>
        <translation>Dokumente (*.pdf %1 %2);;PDF-Dateien (*.pdf);;Bilder (%1);;Textdateien (%2)</translation>
    </message>
</context>
<context>
    <name>ardenvo::ImageDialog</name>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>&amp;Durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>Da&amp;tei</translation>
    </message>
    <message>
        <source>&amp;Images used in the past</source>
        <translation>Früher verwendete &amp;Bilder</translation>
    </message>
    <message>
        <source>no image</source>
        <translation>kein Bild</translation>
    </message>
    <message>
        <source>The picture could not be copied into the Images folder:
%1
%2</source>
        <translation>Das Bild konnte nicht in den Ordner Images kopiert werden:
%1
%2</translation>
    </message>
    <message>
        <source>Both edit boxes must have text</source>
        <translation>Beide Eingabefelder müssen Text enthalten</translation>
    </message>
</context>
<context>
    <name>ardenvo::ImagesFolder</name>
    <message>
        <source>No such file</source>
        <translation>Keine solche Datei</translation>
    </message>
    <message>
        <source>No free name for it in the Images folder</source>
        <translation>Im Ordner Images ist kein freier Name dafür</translation>
    </message>
</context>
<context>
    <name>ardenvo::LocationGroup</name>
    <message>
        <source>Object location</source>
        <translation>Lage des Objekts</translation>
    </message>
    <message>
        <source>West to east</source>
        <translation>Von West nach Ost</translation>
    </message>
    <message>
        <source>North to south</source>
        <translation>Von Nord nach Süd</translation>
    </message>
</context>
<context>
    <name>ardenvo::LocationView</name>
    <message>
        <source>Location preview</source>
        <translation>Vorschau der Lage</translation>
    </message>
    <message>
        <source>Selected: %1</source>
        <translation>Gewählt: %1</translation>
    </message>
    <message>
        <source>No object selected</source>
        <translation>Kein Objekt gewählt</translation>
    </message>
</context>
<context>
    <name>ardenvo::MoveObjectDialog</name>
    <message>
        <source>Source room</source>
        <translation>Ausgangsraum</translation>
    </message>
    <message>
        <source>Destination room</source>
        <translation>Zielraum</translation>
    </message>
    <message>
        <source>Move object</source>
        <translation>Objekt verschieben</translation>
    </message>
    <message>
        <source>Object location</source>
        <translation>Lage des Objekts</translation>
    </message>
    <message>
        <source>&amp;Type:</source>
        <translation>&amp;Typ:</translation>
    </message>
    <message>
        <source>Move command</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Move to &amp;floor</source>
        <translation>Auf den &amp;Boden stellen</translation>
    </message>
    <message>
        <source>Move &amp;on top</source>
        <translation>&amp;Obendrauf stellen</translation>
    </message>
    <message>
        <source>Move &amp;inside</source>
        <translation>H&amp;ineinlegen</translation>
    </message>
    <message>
        <source>Move &amp;under</source>
        <translation>Dar&amp;unter stellen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Select a room</source>
        <translation>Einen Raum wählen</translation>
    </message>
    <message>
        <source>Select source object to move</source>
        <translation>Das zu verschiebende Objekt wählen</translation>
    </message>
    <message>
        <source>An object cannot be moved into itself or into an object it holds.</source>
        <translation>Ein Objekt kann nicht in sich selbst oder in ein Objekt verschoben werden, das es enthält.</translation>
    </message>
</context>
<context>
    <name>ardenvo::ObjectTree</name>
    <message>
        <source>Floor</source>
        <extracomment>The root of the tree of a room&apos;s objects: what stands on the floor.</extracomment>
        <translation>Boden</translation>
    </message>
</context>
<context>
    <name>ardenvo::ObjectsDialog</name>
    <message>
        <source>Objects inside</source>
        <translation>Objekte darin</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Object inside</source>
        <translation>Objekt darin</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Anlegen</translation>
    </message>
    <message>
        <source>Add to &amp;floor</source>
        <translation>Auf den &amp;Boden</translation>
    </message>
    <message>
        <source>Mo&amp;ve</source>
        <translation>&amp;Verschieben</translation>
    </message>
    <message>
        <source>&amp;Modify</source>
        <translation>&amp;Ändern</translation>
    </message>
    <message>
        <source>D&amp;elete</source>
        <translation>Lösch&amp;en</translation>
    </message>
    <message>
        <source>Add an object on top of, inside or under the selected one</source>
        <translation>Ein Objekt auf, in oder unter das gewählte legen</translation>
    </message>
    <message>
        <source>Add an object on the floor of the room</source>
        <translation>Ein Objekt auf den Boden des Raums stellen</translation>
    </message>
    <message>
        <source>General notes</source>
        <translation>Allgemeine Notizen</translation>
    </message>
    <message>
        <source>Object and all associated reminders will be deleted. Are you sure?</source>
        <translation>Das Objekt und alle seine Erinnerungen werden gelöscht. Sind Sie sicher?</translation>
    </message>
    <message>
        <source>On &amp;top</source>
        <translation>&amp;Darauf</translation>
    </message>
    <message>
        <source>&amp;Inside</source>
        <translation>Dar&amp;in</translation>
    </message>
    <message>
        <source>&amp;Under</source>
        <translation>Dar&amp;unter</translation>
    </message>
    <message>
        <source>&amp;Add object</source>
        <translation>&amp;Objekt anlegen</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>&amp;Verschieben</translation>
    </message>
    <message>
        <source>Re&amp;name</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Re&amp;size</source>
        <translation>&amp;Größe ändern</translation>
    </message>
    <message>
        <source>Change &amp;color</source>
        <translation>&amp;Farbe ändern</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Print label...</source>
        <translation>&amp;Etikett drucken...</translation>
    </message>
</context>
<context>
    <name>ardenvo::PictureGroup</name>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>House object</source>
        <translation>Objekt im Haus</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Double click item to edit</source>
        <translation>Zum Bearbeiten doppelklicken</translation>
    </message>
    <message>
        <source>Add ima&amp;ge</source>
        <translation>Bild hin&amp;zufügen</translation>
    </message>
    <message>
        <source>Preferably not much larger than %1x%2</source>
        <translation>Möglichst nicht viel größer als %1x%2</translation>
    </message>
    <message>
        <source>Ed&amp;it</source>
        <translation>Bearbei&amp;ten</translation>
    </message>
    <message>
        <source>De&amp;lete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>The room will be associated no more with that image</source>
        <translation>Der Raum wird nicht mehr mit diesem Bild verbunden</translation>
    </message>
    <message>
        <source>Sho&amp;w all images</source>
        <translation>Alle Bilder zei&amp;gen</translation>
    </message>
    <message>
        <source>The requested image is not in cache</source>
        <translation>Das gewünschte Bild ist nicht im Zwischenspeicher</translation>
    </message>
</context>
<context>
    <name>ardenvo::PictureMessages</name>
    <message>
        <source>Invalid image</source>
        <translation>Ungültiges Bild</translation>
    </message>
    <message>
        <source>Wrong image file</source>
        <translation>Falsche Bilddatei</translation>
    </message>
    <message>
        <source>Selected image will be deleted. Are you sure?</source>
        <translation>Das gewählte Bild wird gelöscht. Sind Sie sicher?</translation>
    </message>
    <message>
        <source>All supported types (%1)</source>
        <translation>Alle unterstützten Arten (%1)</translation>
    </message>
</context>
<context>
    <name>ardenvo::RoomSelector</name>
    <message>
        <source>Select a room</source>
        <translation>Einen Raum wählen</translation>
    </message>
    <message>
        <source>Section</source>
        <translation>Abschnitt</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Raum</translation>
    </message>
    <message>
        <source>&amp;Change room</source>
        <translation>Raum &amp;wechseln</translation>
    </message>
    <message>
        <source>Change &amp;room</source>
        <translation>&amp;Raum wechseln</translation>
    </message>
    <message>
        <source>&amp;Section:</source>
        <translation>&amp;Abschnitt:</translation>
    </message>
    <message>
        <source>&amp;Room:</source>
        <translation>&amp;Raum:</translation>
    </message>
    <message>
        <source>All sections</source>
        <translation>Alle Abschnitte</translation>
    </message>
</context>
</TS>
