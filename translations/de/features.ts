<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ardenvo::ArchiveActions</name>
    <message>
        <source>ZIP archives (*.zip)</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n picture file(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n document(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export with pictures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive could not be written to &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The house, %1 and %2 were written to &quot;%3&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files were not found; the archive&apos;s index lists them as missing:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import archive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive &quot;%1&quot; could not be imported: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the imported house as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ardv Files (*.av)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2 were taken from the archive.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept under a new name, since a different file had the name (the house names the new one):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skipped:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ardenvo::CsvReader</name>
    <message>
        <source>UTF-8 with BOM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more than %1 fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>broken quote: text after the closing quote</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>holds bytes that are not text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>broken quote: the quote opened on line %1 is never closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>broken quote: a quote inside a field that does not start with one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line too long (a row may hold at most %1 MiB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is UTF-16 text; save it as UTF-8 and import it again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not text (it holds zero bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be read</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ardenvo::HouseDiff</name>
    <message>
        <source>name %1 → %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>notes %1 → %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>attribute %1 removed (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>attribute %1 %2 → %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>attribute %1 added (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture %1 removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture %1 added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reminder %1 removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reminder %1 added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>room added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>renamed from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>room removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No differences.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Added: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(from %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(with 1 object on, in or under it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(with %n objects on, in or under it)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ardenvo::HouseImport</name>
    <message>
        <source>it names two objects it lies in, on or under</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the house has no room to put it in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no object before it is where it lies: &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>there is no object named %1 in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the objects it lies in, on or under lead back to itself</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the object it lies in, on or under (line %1) is not taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it would lie %1 objects deep, and a house file holds objects at most %2 deep</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ardenvo::ImportDialog</name>
    <message>
        <source>Import objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv *.tsv *.txt);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot import %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import objects - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delimiter:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First row is a &amp;header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview of the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Category for other columns:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where the objects go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each in the room its row names (missing rooms are &amp;added to their section&apos;s plan)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Everything in &amp;one room</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows &amp;not taken:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows not taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Map to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Map column %1 to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Encoding: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recognised: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &amp;room:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows without a &amp;room go to:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file holds no rows to import.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 will be added in %2, %3 of them new.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n object(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n room(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) cannot be taken: Import adds the others, Cancel adds nothing.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Every object of this file has a namesake where it would go: the file may have been imported before.

Import it again? The new objects&apos; names get a number.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ardenvo::ImportMapping</name>
    <message>
        <source>the Ardenvo export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a HomeBox export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Section</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Room</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inside (object name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>On top of (object name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Under (object name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where (Ardenvo export)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other attributes (Ardenvo export)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Location (HomeBox)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ardenvo::LabelPrinter</name>
    <message>
        <source>The labels could not be drawn.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ardenvo::LabelSheet</name>
    <message>
        <source>A4, 3 x 8 labels of 70 x 37 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4, 2 x 7 labels of 99.1 x 38.1 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4, 3 x 7 labels of 63.5 x 38.1 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4, 4 x 10 labels of 48.5 x 25.4 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>US Letter, 3 x 10 labels of 66.7 x 25.4 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Roll 62 mm wide, one label of 62 x 100 mm each</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every length of the sheet must be more than 0 and at most %1 mm.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The margins must not be negative.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A sheet has from 1 to %1 columns and rows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A label must be at least %1 x %2 mm to hold a readable code; these are %3 x %4 mm.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The labels overlap: the horizontal pitch of %1 mm is less than their width of %2 mm.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The labels overlap: the vertical pitch of %1 mm is less than their height of %2 mm.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The labels do not fit the page: %1 columns end %2 mm from the left edge, past the page&apos;s width of %3 mm.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The labels do not fit the page: %1 rows end %2 mm from the top edge, past the page&apos;s height of %3 mm.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start at label: the sheet has labels 1 to %1, not %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ardenvo::LabelsDialog</name>
    <message>
        <source>This house has no rooms or halls, so there is nothing to put on a label.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print labels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Labels for</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every ticked room and object gets a label.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every object that &amp;holds others</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The &amp;rooms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Layout:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pa&amp;ge (mm):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Labels &amp;across, down:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>La&amp;bel (mm):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Margins left, top (mm):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pi&amp;tch across, down (mm):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Labels across</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Labels down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Top margin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pitch across</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pitch down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mm</source>
        <extracomment>the unit after a length</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start at label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label &amp;codes (&quot;AV-0012&quot;, kept as Label / Code)</source>
        <extracomment>&quot;Label / Code&quot; are the category and attribute the house keeps the code under: keep them</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each object&apos;s label carries a short code, stored on the object so that &quot;Ask the tobrin&quot; finds it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as P&amp;DF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No preview: the sheet cannot be used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No labels are chosen: tick the rooms and objects that should get one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 labels.pdf</source>
        <extracomment>a file name: %1 is the house&apos;s title</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing the labels...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The labels could not be written to &quot;%1&quot;: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ardenvo::VersionsDialog</name>
    <message>
        <source>Earlier versions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No earlier versions of this house have been kept yet: one is kept each time a save replaces it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Versions kept of %1, newest first:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;What changed from the selected version to the house as it is now:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Differences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show this version as the house, unsaved; saving it makes it the house again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>damaged</source>
        <comment>a version of the house</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This version is damaged and cannot be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This version is damaged: it is not a house that can be read, so it is never opened.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
