<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ardenvo::Comparison</name>
    <message>
        <source>contains</source>
        <translation>enthält</translation>
    </message>
    <message>
        <source>begins with</source>
        <translation>beginnt mit</translation>
    </message>
    <message>
        <source>ends with</source>
        <translation>endet mit</translation>
    </message>
    <message>
        <source>is greater than</source>
        <translation>größer ist als</translation>
    </message>
    <message>
        <source>is less than</source>
        <translation>kleiner ist als</translation>
    </message>
    <message>
        <source>adds to the sum</source>
        <translation>zur Summe beiträgt</translation>
    </message>
    <message>
        <source>counts for the average</source>
        <translation>in den Durchschnitt eingeht</translation>
    </message>
    <message>
        <source>is the maximum</source>
        <translation>das Maximum ist</translation>
    </message>
    <message>
        <source>is the minimum</source>
        <translation>das Minimum ist</translation>
    </message>
</context>
<context>
    <name>ardenvo::InventoryDialog</name>
    <message>
        <source>Inventory report</source>
        <translation>Inventarbericht</translation>
    </message>
    <message>
        <source>Rooms to include</source>
        <translation>Räume im Bericht</translation>
    </message>
    <message>
        <source>The report lists only the selected rooms/halls.</source>
        <translation>Der Bericht führt nur die ausgewählten Räume/Flure auf.</translation>
    </message>
    <message>
        <source>Include &amp;photos</source>
        <translation>&amp;Fotos aufnehmen</translation>
    </message>
    <message>
        <source>Include &amp;receipts</source>
        <translation>&amp;Belege aufnehmen</translation>
    </message>
    <message>
        <source>The first page of each document named &quot;Receipt&quot;</source>
        <translation>Die erste Seite jedes Dokuments namens „Receipt“</translation>
    </message>
    <message>
        <source>Include &amp;nested objects</source>
        <translation>&amp;Enthaltene Objekte aufnehmen</translation>
    </message>
    <message>
        <source>Report &amp;title:</source>
        <translation>Berichts&amp;titel:</translation>
    </message>
    <message>
        <source>The first page of the report</source>
        <translation>Die erste Seite des Berichts</translation>
    </message>
    <message>
        <source>Save as P&amp;DF...</source>
        <translation>Als &amp;PDF speichern...</translation>
    </message>
    <message>
        <source>Pr&amp;int</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Save as &amp;HTML...</source>
        <translation>Als &amp;HTML speichern...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Reading the pictures...</source>
        <translation>Die Bilder werden gelesen...</translation>
    </message>
    <message>
        <source>Reading the receipts...</source>
        <translation>Die Belege werden gelesen...</translation>
    </message>
    <message>
        <source>The report could not be written to &quot;%1&quot;: %2</source>
        <translation>Der Bericht konnte nicht nach „%1“ geschrieben werden: %2</translation>
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
        <source>Writing the pages...</source>
        <translation>Die Seiten werden geschrieben...</translation>
    </message>
    <message>
        <source>Save as HTML</source>
        <translation>Als HTML speichern</translation>
    </message>
    <message>
        <source>HTML files (*.html *.htm)</source>
        <translation>HTML-Dateien (*.html *.htm)</translation>
    </message>
    <message>
        <source>Printing...</source>
        <translation>Wird gedruckt...</translation>
    </message>
</context>
<context>
    <name>ardenvo::InventoryDocument</name>
    <message>
        <source>The report is too large to lay out as pages; save it as HTML, or choose fewer rooms or leave out the nested objects</source>
        <translation>Der Bericht ist zu groß, um ihn in Seiten zu setzen; speichern Sie ihn als HTML, oder wählen Sie weniger Räume oder lassen Sie die enthaltenen Objekte weg</translation>
    </message>
</context>
<context>
    <name>ardenvo::SearchDialog</name>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Ask the tobrin to</source>
        <translation>Der Tobrin soll</translation>
    </message>
    <message>
        <source>Where should the tobrin look</source>
        <translation>Wo soll der Tobrin suchen</translation>
    </message>
    <message>
        <source>The tobrin will look only in the selected rooms/halls.</source>
        <translation>Der Tobrin sucht nur in den ausgewählten Räumen/Fluren.</translation>
    </message>
    <message>
        <source>Report</source>
        <extracomment>The area that shows the search&apos;s report</extracomment>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>&amp;Ask the tobrin</source>
        <translation>Den Tobrin fr&amp;agen</translation>
    </message>
    <message>
        <source>Pa&amp;geSetup</source>
        <translation>&amp;Seite einrichten</translation>
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
        <source>&amp;Help!</source>
        <translation>&amp;Hilfe!</translation>
    </message>
    <message>
        <source>Search for &amp;names that contain</source>
        <translation>Nach &amp;Namen suchen, die enthalten</translation>
    </message>
    <message>
        <source>Search for n&amp;otes that contain</source>
        <translation>Nach N&amp;otizen suchen, die enthalten</translation>
    </message>
    <message>
        <source>Search for &amp;field that contains</source>
        <translation>Nach &amp;Feld suchen, das enthält</translation>
    </message>
    <message>
        <source>and has a &amp;value that</source>
        <translation>und dessen &amp;Wert</translation>
    </message>
    <message>
        <source>Comparison</source>
        <translation>Vergleich</translation>
    </message>
    <message>
        <source>Value</source>
        <extracomment>The value a custom field&apos;s value is compared with</extracomment>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Report &amp;title:</source>
        <translation>Berichts&amp;titel:</translation>
    </message>
    <message>
        <source>Check at least one check box</source>
        <translation>Kreuzen Sie mindestens ein Kästchen an</translation>
    </message>
    <message>
        <source>The report could not be written to &quot;%1&quot;: %2</source>
        <translation>Der Bericht konnte nicht nach „%1“ geschrieben werden: %2</translation>
    </message>
    <message>
        <source>There&apos;s no page to configure</source>
        <translation>Es gibt keine Seite zum Einrichten</translation>
    </message>
    <message>
        <source>There&apos;s no page to print</source>
        <translation>Es gibt keine Seite zum Drucken</translation>
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
        <source>The PDF file &quot;%1&quot; could not be written.</source>
        <translation>Die PDF-Datei „%1“ konnte nicht geschrieben werden.</translation>
    </message>
</context>
</TS>
