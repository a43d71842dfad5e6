<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ardenvo::DialogSupport</name>
    <message>
        <source>Please enter a number.</source>
        <translation>Bitte geben Sie eine Zahl ein.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ardenvo::NameDialog</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
</context>
<context>
    <name>ardenvo::ObjectPropertiesDialog</name>
    <message>
        <source>Object properties</source>
        <translation>Objekteigenschaften</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Under</source>
        <comment>position</comment>
        <extracomment>Where an object stands in relation to the one that holds it</extracomment>
        <translation>Darunter</translation>
    </message>
    <message>
        <source>Inside</source>
        <comment>position</comment>
        <translation>Darin</translation>
    </message>
    <message>
        <source>On top</source>
        <comment>position</comment>
        <translation>Obenauf</translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>&amp;Position:</source>
        <translation>&amp;Position:</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>&amp;Change</source>
        <extracomment>Opens the colour dialog for the object&apos;s colour</extracomment>
        <translation>&amp;Ändern</translation>
    </message>
    <message>
        <source>Choose the object&apos;s color</source>
        <translation>Die Farbe des Objekts wählen</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>&amp;Length:</source>
        <translation>&amp;Länge:</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <source>&amp;Units of measurement:</source>
        <translation>&amp;Maßeinheit:</translation>
    </message>
    <message>
        <source>Please enter a number between %1 and %2.</source>
        <translation>Bitte geben Sie eine Zahl zwischen %1 und %2 ein.</translation>
    </message>
</context>
<context>
    <name>ardenvo::PeriodicalSettings</name>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Week</source>
        <translation>Woche</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Periodical settings</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>&amp;Repeat each</source>
        <translation>&amp;Wiederholen alle</translation>
    </message>
    <message>
        <source>Re&amp;peat on</source>
        <translation>Wiederholen a&amp;m</translation>
    </message>
    <message>
        <source>day</source>
        <extracomment>&quot;Repeat on&quot; [number] &quot;day&quot; [of the beginning of | until the end of] [unit]</extracomment>
        <translation>Tag</translation>
    </message>
    <message>
        <source>of the beginning of</source>
        <translation>nach Beginn von</translation>
    </message>
    <message>
        <source>until the end of</source>
        <translation>vor dem Ende von</translation>
    </message>
    <message>
        <source>Repeat each: count</source>
        <translation>Wiederholen alle: Anzahl</translation>
    </message>
    <message>
        <source>Repeat each: unit</source>
        <translation>Wiederholen alle: Einheit</translation>
    </message>
    <message>
        <source>Repeat on: day</source>
        <translation>Wiederholen am: Tag</translation>
    </message>
    <message>
        <source>Repeat on: from the beginning or the end</source>
        <translation>Wiederholen am: vom Beginn oder vom Ende</translation>
    </message>
    <message>
        <source>Repeat on: unit</source>
        <translation>Wiederholen am: Einheit</translation>
    </message>
</context>
<context>
    <name>ardenvo::PlanPainter</name>
    <message>
        <source>(Right)Click me!</source>
        <translation>(Rechts)Klick mich!</translation>
    </message>
    <message>
        <source>Section:</source>
        <translation>Abschnitt:</translation>
    </message>
</context>
<context>
    <name>ardenvo::Prompter</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>ardenvo::ReminderEditor</name>
    <message>
        <source>Single date</source>
        <translation>Einmaliger Termin</translation>
    </message>
    <message>
        <source>Periodical date</source>
        <translation>Wiederkehrender Termin</translation>
    </message>
    <message>
        <source>Time</source>
        <extracomment>The time of day of a reminder, beside its date</extracomment>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Reminder &amp;type:</source>
        <translation>Erinnerungs&amp;typ:</translation>
    </message>
    <message>
        <source>&amp;Date:</source>
        <translation>&amp;Datum:</translation>
    </message>
    <message>
        <source>Start &amp;date:</source>
        <translation>&amp;Startdatum:</translation>
    </message>
    <message>
        <source>O&amp;bject name:</source>
        <translation>O&amp;bjektname:</translation>
    </message>
    <message>
        <source>&amp;Notes:</source>
        <translation>&amp;Notizen:</translation>
    </message>
</context>
<context>
    <name>ardenvo::ResizeDialog</name>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Höhe:</translation>
    </message>
    <message>
        <source>Because of the objects inside, the minimium width is %1</source>
        <translation>Wegen der Objekte darin beträgt die kleinste Breite %1</translation>
    </message>
    <message>
        <source>Because of the objects inside, the minimium height is %1</source>
        <translation>Wegen der Objekte darin beträgt die kleinste Höhe %1</translation>
    </message>
    <message>
        <source>The largest width is %1</source>
        <translation>Die größte Breite ist %1</translation>
    </message>
    <message>
        <source>The largest height is %1</source>
        <translation>Die größte Höhe ist %1</translation>
    </message>
    <message>
        <source>Because the object is inside a room/hall, the maximum width is %1</source>
        <translation>Da das Objekt in einem Raum/Flur steht, beträgt die größte Breite %1</translation>
    </message>
    <message>
        <source>Because the object is inside a room/hall, the maximum height is %1</source>
        <translation>Da das Objekt in einem Raum/Flur steht, beträgt die größte Höhe %1</translation>
    </message>
    <message>
        <source>The smallest width is %1</source>
        <translation>Die kleinste Breite ist %1</translation>
    </message>
    <message>
        <source>The smallest height is %1</source>
        <translation>Die kleinste Höhe ist %1</translation>
    </message>
</context>
<context>
    <name>ardenvo::Units</name>
    <message>
        <source>Centimeters</source>
        <translation>Zentimeter</translation>
    </message>
    <message>
        <source>Meters</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Inches</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>Feet</source>
        <translation>Fuß</translation>
    </message>
    <message>
        <source>Yards</source>
        <translation>Yard</translation>
    </message>
    <message>
        <source>centimeters</source>
        <extracomment>A unit as it stands beside a length</extracomment>
        <translation>Zentimeter</translation>
    </message>
    <message>
        <source>meters</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>Zoll</translation>
    </message>
    <message>
        <source>feet</source>
        <translation>Fuß</translation>
    </message>
    <message>
        <source>yards</source>
        <translation>Yard</translation>
    </message>
</context>
</TS>
