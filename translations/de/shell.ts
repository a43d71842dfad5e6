<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ardenvo::AboutDialog</name>
    <message>
        <source>About Ardenvo</source>
        <translation>Über Ardenvo</translation>
    </message>
    <message>
        <source>Ardenvo Version %1</source>
        <translation>Ardenvo Version %1</translation>
    </message>
</context>
<context>
    <name>ardenvo::ArdenvoApp</name>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Unsaved changes cannot be kept for recovery after a crash: %1</source>
        <translation>Ungespeicherte Änderungen können nicht für die Wiederherstellung nach einem Absturz aufbewahrt werden: %1</translation>
    </message>
</context>
<context>
    <name>ardenvo::CMainFrame</name>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>%1 was changed by another program and has been reloaded.</source>
        <translation>%1 wurde von einem anderen Programm geändert und neu geladen.</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Ein neues Dokument anlegen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Ein vorhandenes Dokument öffnen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Das aktive Dokument speichern</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>Das aktive Dokument unter einem neuen Namen speichern</translation>
    </message>
    <message>
        <source>&amp;Inventory report...</source>
        <translation>&amp;Inventarbericht...</translation>
    </message>
    <message>
        <source>Print or save the inventory of the house, room by room, with values and photos</source>
        <translation>Das Inventar des Hauses Raum für Raum mit Werten und Fotos drucken oder speichern</translation>
    </message>
    <message>
        <source>Print &amp;labels...</source>
        <translation>&amp;Etiketten drucken...</translation>
    </message>
    <message>
        <source>Print labels with QR codes that tell what boxes, shelves and rooms hold</source>
        <translation>Etiketten mit QR-Codes drucken, die zeigen, was Kisten, Regale und Räume enthalten</translation>
    </message>
    <message>
        <source>Label codes</source>
        <extracomment>The name of a step in Edit &gt; Undo.</extracomment>
        <translation>Etikettencodes</translation>
    </message>
    <message>
        <source>I&amp;mport objects...</source>
        <translation>Objekte i&amp;mportieren...</translation>
    </message>
    <message>
        <source>Add objects from a spreadsheet or another inventory&apos;s CSV file</source>
        <translation>Objekte aus einer Tabelle oder der CSV-Datei eines anderen Inventars hinzufügen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Been&amp;den</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>Das Programm beenden; fragt, ob Dokumente gespeichert werden sollen</translation>
    </message>
    <message>
        <source>&amp;Ask the tobrin...</source>
        <translation>Den Tobrin &amp;fragen...</translation>
    </message>
    <message>
        <source>Ask the tobrin to find something</source>
        <translation>Den Tobrin bitten, etwas zu finden</translation>
    </message>
    <message>
        <source>Ask the tobrin</source>
        <translation>Den Tobrin fragen</translation>
    </message>
    <message>
        <source>&amp;Sections...</source>
        <translation>&amp;Abschnitte...</translation>
    </message>
    <message>
        <source>Lets you create/delete/rename sections of the house</source>
        <translation>Abschnitte des Hauses anlegen, löschen oder umbenennen</translation>
    </message>
    <message>
        <source>Sections</source>
        <extracomment>The name of a step in Edit &gt; Undo.</extracomment>
        <translation>Abschnitte</translation>
    </message>
    <message>
        <source>Scroll to the east</source>
        <translation>Nach Osten rollen</translation>
    </message>
    <message>
        <source>I want to see what&apos;s to the east</source>
        <translation>Zeigt, was östlich liegt</translation>
    </message>
    <message>
        <source>Scroll to the west</source>
        <translation>Nach Westen rollen</translation>
    </message>
    <message>
        <source>I want to see what&apos;s to the west</source>
        <translation>Zeigt, was westlich liegt</translation>
    </message>
    <message>
        <source>Scroll to the north</source>
        <translation>Nach Norden rollen</translation>
    </message>
    <message>
        <source>I want to see what&apos;s to the north</source>
        <translation>Zeigt, was nördlich liegt</translation>
    </message>
    <message>
        <source>Scroll to the south</source>
        <translation>Nach Süden rollen</translation>
    </message>
    <message>
        <source>I want to see what&apos;s to the south</source>
        <translation>Zeigt, was südlich liegt</translation>
    </message>
    <message>
        <source>Center the image</source>
        <translation>Bild zentrieren</translation>
    </message>
    <message>
        <source>Centers the image on the house</source>
        <translation>Zentriert das Bild auf das Haus</translation>
    </message>
    <message>
        <source>Actual size</source>
        <translation>Originalgröße</translation>
    </message>
    <message>
        <source>Brings the image to the actual size</source>
        <translation>Zeigt das Bild in Originalgröße</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Enlarge the image</source>
        <translation>Das Bild vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Shrink the image</source>
        <translation>Das Bild verkleinern</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>Das aktive Dokument drucken</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Help &amp;Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>List Help topics</source>
        <translation>Die Themen der Hilfe anzeigen</translation>
    </message>
    <message>
        <source>&amp;About Ardenvo...</source>
        <translation>Ü&amp;ber Ardenvo...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Ardenvo</translation>
    </message>
    <message>
        <source>&amp;Centimeters</source>
        <translation>&amp;Zentimeter</translation>
    </message>
    <message>
        <source>&amp;Meters</source>
        <translation>&amp;Meter</translation>
    </message>
    <message>
        <source>&amp;Inches</source>
        <translation>Z&amp;oll</translation>
    </message>
    <message>
        <source>&amp;Feet</source>
        <translation>&amp;Fuß</translation>
    </message>
    <message>
        <source>&amp;Yards</source>
        <translation>&amp;Yards</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>Die letzte Aktion rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Redo the previously undone action</source>
        <translation>Die zuletzt rückgängig gemachte Aktion wiederholen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Units of measurement</source>
        <translation>&amp;Maßeinheiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <extracomment>The menu of the bars the window shows; Alt+A and Alt+S are the keys of two commands already.</extracomment>
        <translation>A&amp;nsicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Standard</source>
        <extracomment>The toolbar&apos;s name, shown where the desktop lists the window&apos;s bars.</extracomment>
        <translation>Standard</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>Die Werkzeugleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Die Statusleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Recent File</source>
        <extracomment>Stands, greyed, where the houses opened last are listed when there are none yet.</extracomment>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
    <message>
        <source>Access denied to the registry!</source>
        <translation>Zugriff auf die Registrierung verweigert!</translation>
    </message>
    <message>
        <source>Import objects</source>
        <extracomment>The name of a step in Edit &gt; Undo.</extracomment>
        <translation>Objekte importieren</translation>
    </message>
    <message>
        <source>Earlier &amp;versions...</source>
        <translation>Frühere &amp;Versionen...</translation>
    </message>
    <message>
        <source>See the versions kept of the house at its saves, what changed since, and open one</source>
        <translation>Die beim Speichern aufbewahrten Versionen des Hauses ansehen, was sich seitdem geändert hat, und eine davon öffnen</translation>
    </message>
    <message>
        <source>Export with &amp;pictures...</source>
        <translation>Mit &amp;Bildern exportieren...</translation>
    </message>
    <message>
        <source>Write the house with its pictures and documents into one ZIP archive</source>
        <translation>Das Haus mit seinen Bildern und Dokumenten in ein ZIP-Archiv schreiben</translation>
    </message>
    <message>
        <source>Import a&amp;rchive...</source>
        <translation>A&amp;rchiv importieren...</translation>
    </message>
    <message>
        <source>Open a house from a ZIP archive, its pictures and documents put in their folders</source>
        <translation>Ein Haus aus einem ZIP-Archiv öffnen und seine Bilder und Dokumente in ihre Ordner legen</translation>
    </message>
    <message>
        <source>The house has not been saved yet, so it has no earlier versions.</source>
        <translation>Das Haus wurde noch nicht gespeichert und hat daher keine früheren Versionen.</translation>
    </message>
</context>
<context>
    <name>ardenvo::ChooseHouseDialog</name>
    <message>
        <source>Choose</source>
        <extracomment>The title of the dialog that offers houses to start with.</extracomment>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>If you want to simply edit a predone house select one of the options and click the CHOOSE button, or click CONTINUE to build your own house</source>
        <translation>Um einfach ein fertiges Haus zu bearbeiten, wählen Sie eines aus und klicken Sie auf WÄHLEN, oder klicken Sie auf WEITER, um Ihr eigenes Haus zu bauen</translation>
    </message>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Wählen</translation>
    </message>
    <message>
        <source>C&amp;hoose</source>
        <comment>recent</comment>
        <extracomment>Opens the house chosen among those opened in the past.</extracomment>
        <translation>Wä&amp;hlen</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Predone houses</source>
        <translation>Fertige Häuser</translation>
    </message>
    <message>
        <source>Houses &amp;opened in the past:</source>
        <translation>&amp;Früher geöffnete Häuser:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Please select one of the predone houses</source>
        <translation>Bitte wählen Sie eines der fertigen Häuser aus</translation>
    </message>
    <message>
        <source>Please select one of the previously opened houses</source>
        <translation>Bitte wählen Sie eines der früher geöffneten Häuser aus</translation>
    </message>
    <message>
        <source>Houses opened in the past</source>
        <translation>Früher geöffnete Häuser</translation>
    </message>
</context>
<context>
    <name>ardenvo::DocumentController</name>
    <message>
        <source>Ardv Files (*.av)</source>
        <translation>Ardv-Dateien (*.av)</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Open</source>
        <extracomment>The title of the file dialog that opens a house.</extracomment>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Opening %1...</source>
        <translation>%1 wird geöffnet...</translation>
    </message>
    <message>
        <source>Save As</source>
        <extracomment>The title of the file dialog that saves the house under a new name.</extracomment>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened here.

Overwrite it with the house shown here, or reload it from the file (the changes made here since are lost)?</source>
        <translation>%1 wurde von einem anderen Programm geändert, seit es hier geöffnet wurde.

Mit dem hier gezeigten Haus überschreiben oder aus der Datei neu laden (die seitdem hier gemachten Änderungen gehen verloren)?</translation>
    </message>
    <message>
        <source>&amp;Overwrite</source>
        <translation>Über&amp;schreiben</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The house was saved, but its earlier version could not be kept: %1</source>
        <translation>Das Haus wurde gespeichert, aber seine frühere Version konnte nicht aufbewahrt werden: %1</translation>
    </message>
</context>
<context>
    <name>ardenvo::HelpWindow</name>
    <message>
        <source>Ardenvo Help</source>
        <translation>Ardenvo-Hilfe</translation>
    </message>
    <message>
        <source>Manual page</source>
        <translation>Seite des Handbuchs</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vorwärts</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <extracomment>Goes to the manual&apos;s table of contents.</extracomment>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>%1 - Ardenvo Help</source>
        <extracomment>%1 is the title of the manual&apos;s page shown.</extracomment>
        <translation>%1 - Ardenvo-Hilfe</translation>
    </message>
    <message>
        <source>The help file help/index.html was not found.</source>
        <translation>Die Hilfedatei help/index.html wurde nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>ardenvo::ProjectFile</name>
    <message>
        <source>Wrong version of Ardenvo project</source>
        <translation>Falsche Version des Ardenvo-Projekts</translation>
    </message>
    <message>
        <source>Unexpected file format.</source>
        <translation>Unerwartetes Dateiformat.</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Das Dokument konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Das Dokument konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>ardenvo::RecoveryFile</name>
    <message>
        <source>not enough memory to read it</source>
        <translation>nicht genug Speicher, um sie zu lesen</translation>
    </message>
    <message>
        <source>too large for a recovery copy</source>
        <translation>zu groß für eine Wiederherstellungskopie</translation>
    </message>
    <message>
        <source>not a recovery file</source>
        <translation>keine Wiederherstellungsdatei</translation>
    </message>
    <message>
        <source>damaged header</source>
        <translation>beschädigter Dateikopf</translation>
    </message>
</context>
<context>
    <name>ardenvo::RuntimeDirectory</name>
    <message>
        <source>Ardenvo&apos;s programs cannot coordinate (open houses, reloads, one reminder program): </source>
        <translation>Die Programme von Ardenvo können sich nicht abstimmen (offene Häuser, Neuladen, nur ein Erinnerungsprogramm): </translation>
    </message>
</context>
<context>
    <name>ardenvo::SplashWindow</name>
    <message>
        <source>Your house and everything in it</source>
        <extracomment>The motto under the program&apos;s name on the picture shown at start.</extracomment>
        <translation>Ihr Haus und alles, was darin ist</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>ardenvo::StatusBarPanes</name>
    <message>
        <source>Size:00000000x00000000 centimeters</source>
        <extracomment>Never shown: the widest text the size pane must have room for, in the plan&apos;s words.</extracomment>
        <translation>Größe:00000000x00000000 Zentimeter</translation>
    </message>
    <message>
        <source>CAP</source>
        <extracomment>The status bar&apos;s sign that Caps Lock is on.</extracomment>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM</source>
        <extracomment>The status bar&apos;s sign that Num Lock is on.</extracomment>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <extracomment>The status bar&apos;s sign that Scroll Lock is on.</extracomment>
        <translation>RF</translation>
    </message>
</context>
<context>
    <name>ardenvo::UndoController</name>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <extracomment>%1 is the name of the step, such as &quot;Sections&quot; or &quot;Move object&quot;.</extracomment>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <extracomment>%1 is the name of the step, such as &quot;Sections&quot; or &quot;Move object&quot;.</extracomment>
        <translation>Wiederholen: %1</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <extracomment>%1 is the name of the step, such as &quot;Sections&quot; or &quot;Move object&quot;.</extracomment>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <extracomment>%1 is the name of the step, such as &quot;Sections&quot; or &quot;Move object&quot;.</extracomment>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>The recovery file %1 is damaged (%2) and cannot be opened.%3</source>
        <translation>Die Wiederherstellungsdatei %1 ist beschädigt (%2) und kann nicht geöffnet werden.%3</translation>
    </message>
    <message>
        <source> It has been kept as %1.</source>
        <extracomment>Follows the sentence that the recovery file is damaged.</extracomment>
        <translation> Sie wurde als %1 aufbewahrt.</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Ardenvo was not closed properly. Recover the unsaved changes of
%1?</source>
        <translation>Ardenvo wurde nicht ordnungsgemäß beendet. Die ungespeicherten Änderungen an
%1 wiederherstellen?</translation>
    </message>
</context>
</TS>
