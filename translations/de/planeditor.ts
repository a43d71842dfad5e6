<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ardenvo::BlockLayout</name>
    <message>
        <source>Can&apos;t delete the initial block!</source>
        <translation>Der erste Raum des Plans kann nicht gelöscht werden!</translation>
    </message>
    <message>
        <source>Can&apos;t delete blocks that are in between!</source>
        <translation>Räume, die zwischen anderen liegen, können nicht gelöscht werden!</translation>
    </message>
</context>
<context>
    <name>ardenvo::CBrenvikaView</name>
    <message>
        <source>To the &amp;north</source>
        <translation>Im &amp;Norden</translation>
    </message>
    <message>
        <source>To the &amp;east</source>
        <translation>Im &amp;Osten</translation>
    </message>
    <message>
        <source>To the &amp;south</source>
        <translation>Im &amp;Süden</translation>
    </message>
    <message>
        <source>To the &amp;west</source>
        <translation>Im &amp;Westen</translation>
    </message>
    <message>
        <source>Attaches it to the north of this one</source>
        <translation>Schließt ihn nördlich an diesen an</translation>
    </message>
    <message>
        <source>Attaches it to the east of this one</source>
        <translation>Schließt ihn östlich an diesen an</translation>
    </message>
    <message>
        <source>Attaches it to the south of this one</source>
        <translation>Schließt ihn südlich an diesen an</translation>
    </message>
    <message>
        <source>Attaches it to the west of this one</source>
        <translation>Schließt ihn westlich an diesen an</translation>
    </message>
    <message>
        <source>AddViewForID: unknown ID of object %1</source>
        <translation>AddViewForID: unbekannte Kennung des Objekts %1</translation>
    </message>
    <message>
        <source>AddViewForID: unknown kind of object</source>
        <translation>AddViewForID: unbekannte Art des Objekts</translation>
    </message>
    <message>
        <source>Units of measurement</source>
        <translation>Maßeinheit</translation>
    </message>
    <message>
        <source>Size: %1x%2 %3</source>
        <extracomment>The selected block&apos;s width and height and the unit&apos;s name, in the status bar</extracomment>
        <translation>Größe: %1x%2 %3</translation>
    </message>
    <message>
        <source>&amp;Add neighbor</source>
        <translation>&amp;Nachbarn anschließen</translation>
    </message>
    <message>
        <source>Attaches a new hall or room to a free side</source>
        <translation>Schließt einen neuen Flur oder Raum an einer freien Seite an</translation>
    </message>
    <message>
        <source>A &amp;hall</source>
        <translation>Einen &amp;Flur</translation>
    </message>
    <message>
        <source>Attaches a new hall</source>
        <translation>Schließt einen neuen Flur an</translation>
    </message>
    <message>
        <source>A r&amp;oom</source>
        <translation>Einen &amp;Raum</translation>
    </message>
    <message>
        <source>Attaches a new room</source>
        <translation>Schließt einen neuen Raum an</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>Gives the selected object a new name</source>
        <translation>Gibt dem ausgewählten Objekt einen neuen Namen</translation>
    </message>
    <message>
        <source>Gives the room/hall a new name</source>
        <translation>Gibt dem Raum/Flur einen neuen Namen</translation>
    </message>
    <message>
        <source>Re&amp;size</source>
        <translation>&amp;Größe ändern</translation>
    </message>
    <message>
        <source>Changes the size of the selected object</source>
        <translation>Ändert die Größe des ausgewählten Objekts</translation>
    </message>
    <message>
        <source>Changes the size of the room/hall</source>
        <translation>Ändert die Größe des Raums/Flurs</translation>
    </message>
    <message>
        <source>Re&amp;position</source>
        <translation>Neu &amp;ausrichten</translation>
    </message>
    <message>
        <source>Sets the relative position to the neighbors</source>
        <translation>Legt die Lage gegenüber den Nachbarn fest</translation>
    </message>
    <message>
        <source>Change &amp;color</source>
        <translation>&amp;Farbe ändern</translation>
    </message>
    <message>
        <source>Changes the color of the selected object</source>
        <translation>Ändert die Farbe des ausgewählten Objekts</translation>
    </message>
    <message>
        <source>Changes the color of the room/hall</source>
        <translation>Ändert die Farbe des Raums/Flurs</translation>
    </message>
    <message>
        <source>&amp;Objects inside</source>
        <translation>&amp;Objekte darin</translation>
    </message>
    <message>
        <source>Shows and edits the objects in the room/hall</source>
        <translation>Zeigt und bearbeitet die Objekte im Raum/Flur</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Deletes the selected object</source>
        <translation>Löscht das ausgewählte Objekt</translation>
    </message>
    <message>
        <source>Deletes the room/hall</source>
        <translation>Löscht den Raum/Flur</translation>
    </message>
    <message>
        <source>Add neighbor</source>
        <extracomment>The name of an edit, as Undo and Redo show it</extracomment>
        <translation>Nachbarn anschließen</translation>
    </message>
    <message>
        <source>Rename</source>
        <extracomment>The name of an edit, as Undo and Redo show it</extracomment>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Reposition</source>
        <extracomment>The name of an edit, as Undo and Redo show it</extracomment>
        <translation>Neu ausrichten</translation>
    </message>
    <message>
        <source>Change color</source>
        <extracomment>The name of an edit, as Undo and Redo show it</extracomment>
        <translation>Farbe ändern</translation>
    </message>
    <message>
        <source>Objects inside %1</source>
        <extracomment>The name of an edit, as Undo and Redo show it; %1 is the room or hall</extracomment>
        <translation>Objekte in %1</translation>
    </message>
    <message>
        <source>Delete</source>
        <extracomment>The name of an edit, as Undo and Redo show it</extracomment>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>ardenvo::PlanAccessible</name>
    <message>
        <source>Hall</source>
        <translation>Flur</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Raum</translation>
    </message>
    <message>
        <source>Plan of %1</source>
        <extracomment>What a screen reader calls the plan; %1 is the section it shows</extracomment>
        <translation>Plan von %1</translation>
    </message>
    <message>
        <source>The arrow keys choose a block, Enter shows the objects inside it and the menu key its commands</source>
        <translation>Die Pfeiltasten wählen einen Raum, die Eingabetaste zeigt die Objekte darin und die Menütaste seine Befehle</translation>
    </message>
</context>
<context>
    <name>ardenvo::PlanDrag</name>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Resize</source>
        <extracomment>The name of an edit, as Undo and Redo show it</extracomment>
        <translation>Größe ändern</translation>
    </message>
</context>
<context>
    <name>ardenvo::PlanGeometry</name>
    <message>
        <source>Drag to resize the object</source>
        <translation>Ziehen, um die Größe des Objekts zu ändern</translation>
    </message>
    <message>
        <source>Drag to resize the room</source>
        <translation>Ziehen, um die Größe des Raums zu ändern</translation>
    </message>
    <message>
        <source>Click to reposition the room</source>
        <translation>Klicken, um den Raum neu auszurichten</translation>
    </message>
    <message>
        <source>Ready</source>
        <extracomment>The status bar while the pointer is on no handle of the plan</extracomment>
        <translation>Bereit</translation>
    </message>
</context>
<context>
    <name>ardenvo::RepositionDialog</name>
    <message>
        <source>&amp;North</source>
        <translation>&amp;Norden</translation>
    </message>
    <message>
        <source>&amp;East</source>
        <translation>&amp;Osten</translation>
    </message>
    <message>
        <source>&amp;South</source>
        <translation>&amp;Süden</translation>
    </message>
    <message>
        <source>&amp;West</source>
        <translation>&amp;Westen</translation>
    </message>
    <message>
        <source>North: lined up with the start</source>
        <translation>Norden: am Anfang ausgerichtet</translation>
    </message>
    <message>
        <source>North: centered</source>
        <translation>Norden: mittig</translation>
    </message>
    <message>
        <source>North: lined up with the end</source>
        <translation>Norden: am Ende ausgerichtet</translation>
    </message>
    <message>
        <source>East: lined up with the start</source>
        <translation>Osten: am Anfang ausgerichtet</translation>
    </message>
    <message>
        <source>East: centered</source>
        <translation>Osten: mittig</translation>
    </message>
    <message>
        <source>East: lined up with the end</source>
        <translation>Osten: am Ende ausgerichtet</translation>
    </message>
    <message>
        <source>South: lined up with the start</source>
        <translation>Süden: am Anfang ausgerichtet</translation>
    </message>
    <message>
        <source>South: centered</source>
        <translation>Süden: mittig</translation>
    </message>
    <message>
        <source>South: lined up with the end</source>
        <translation>Süden: am Ende ausgerichtet</translation>
    </message>
    <message>
        <source>West: lined up with the start</source>
        <translation>Westen: am Anfang ausgerichtet</translation>
    </message>
    <message>
        <source>West: centered</source>
        <translation>Westen: mittig</translation>
    </message>
    <message>
        <source>West: lined up with the end</source>
        <translation>Westen: am Ende ausgerichtet</translation>
    </message>
    <message>
        <source>Shift against the northern neighbor</source>
        <translation>Versatz zum nördlichen Nachbarn</translation>
    </message>
    <message>
        <source>Shift against the eastern neighbor</source>
        <translation>Versatz zum östlichen Nachbarn</translation>
    </message>
    <message>
        <source>Shift against the southern neighbor</source>
        <translation>Versatz zum südlichen Nachbarn</translation>
    </message>
    <message>
        <source>Shift against the western neighbor</source>
        <translation>Versatz zum westlichen Nachbarn</translation>
    </message>
    <message>
        <source>Positive value means the block is shifted to the east relatively to the neighbor</source>
        <translation>Ein positiver Wert verschiebt den Raum gegenüber dem Nachbarn nach Osten</translation>
    </message>
    <message>
        <source>Positive value means the block is shifted to the south relatively to the neighbor</source>
        <translation>Ein positiver Wert verschiebt den Raum gegenüber dem Nachbarn nach Süden</translation>
    </message>
    <message>
        <source>Reposition</source>
        <translation>Neu ausrichten</translation>
    </message>
</context>
<context>
    <name>ardenvo::SectionsDialog</name>
    <message>
        <source>Sections</source>
        <translation>Abschnitte</translation>
    </message>
    <message>
        <source>Sections of the house</source>
        <translation>Abschnitte des Hauses</translation>
    </message>
    <message>
        <source>Name</source>
        <extracomment>The column that marks the section the plan shows</extracomment>
        <translation>Name</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Help!</source>
        <translation>&amp;Hilfe!</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Hin&amp;zufügen</translation>
    </message>
    <message>
        <source>Adds a new section to the house</source>
        <translation>Fügt dem Haus einen neuen Abschnitt hinzu</translation>
    </message>
    <message>
        <source>&amp;Set Active</source>
        <translation>&amp;Aktivieren</translation>
    </message>
    <message>
        <source>Sets the selected section as Active</source>
        <translation>Macht den ausgewählten Abschnitt zum aktiven</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Deletes the selected section</source>
        <translation>Löscht den ausgewählten Abschnitt</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>You must first select a section</source>
        <translation>Wählen Sie zuerst einen Abschnitt aus</translation>
    </message>
    <message>
        <source>Can&apos;t delete the active section. Activate another first</source>
        <translation>Der aktive Abschnitt kann nicht gelöscht werden. Aktivieren Sie zuerst einen anderen</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
</context>
<context>
    <name>ardenvo::UnitTable</name>
    <message>
        <source>centimeters</source>
        <translation>Zentimeter</translation>
    </message>
    <message>
        <source>Centimeters</source>
        <translation>Zentimeter</translation>
    </message>
    <message>
        <source>meters</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Meters</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>feet</source>
        <translation>Fuß</translation>
    </message>
    <message>
        <source>Feet</source>
        <translation>Fuß</translation>
    </message>
    <message>
        <source>yards</source>
        <translation>Yard</translation>
    </message>
    <message>
        <source>Yards</source>
        <translation>Yard</translation>
    </message>
</context>
</TS>
