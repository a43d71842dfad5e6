<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ardenvo::EventListModel</name>
    <message>
        <source> (snoozed until %1)</source>
        <extracomment>After a reminder&apos;s notes while &quot;Remind me later&quot; holds it back; %1 is the time of day.</extracomment>
        <translation> (zurückgestellt bis %1)</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Object</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>Text</source>
        <extracomment>The column of the reminder&apos;s notes.</extracomment>
        <translation>Text</translation>
    </message>
</context>
<context>
    <name>ardenvo::EventListPage</name>
    <message>
        <source>Reminders</source>
        <translation>Erinnerungen</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>Be&amp;arbeiten</translation>
    </message>
    <message>
        <source>Re&amp;set</source>
        <extracomment>Moves a repeating reminder to its next date; a one-time reminder is deleted.</extracomment>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Export to &amp;calendar...</source>
        <translation>In &amp;Kalender exportieren...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>in &amp;10 minutes</source>
        <translation>in &amp;10 Minuten</translation>
    </message>
    <message>
        <source>in 1 &amp;hour</source>
        <translation>in 1 &amp;Stunde</translation>
    </message>
    <message>
        <source>&amp;tomorrow at this time</source>
        <translation>&amp;morgen um diese Zeit</translation>
    </message>
    <message>
        <source>Remind me &amp;later</source>
        <translation>&amp;Später erinnern</translation>
    </message>
    <message>
        <source>Export to calendar</source>
        <translation>In Kalender exportieren</translation>
    </message>
    <message>
        <source>Calendar files (*.ics)</source>
        <translation>Kalenderdateien (*.ics)</translation>
    </message>
    <message>
        <source>The calendar file %1 could not be written.
%2</source>
        <translation>Die Kalenderdatei %1 konnte nicht geschrieben werden.
%2</translation>
    </message>
    <message>
        <source>The same project is opened in Ardenvo, it can cause lost of data. Are you sure to continue?</source>
        <translation>Dasselbe Projekt ist in Ardenvo geöffnet, dadurch können Daten verloren gehen. Trotzdem fortfahren?</translation>
    </message>
    <message>
        <source>The same project is opened in Ardenvo, it can cause lost of data. Are you sure you wish to continue?</source>
        <translation>Dasselbe Projekt ist in Ardenvo geöffnet, dadurch können Daten verloren gehen. Möchten Sie wirklich fortfahren?</translation>
    </message>
    <message>
        <source>Event will be deleted. Are you sure you wish to continue?</source>
        <translation>Das Ereignis wird gelöscht. Möchten Sie wirklich fortfahren?</translation>
    </message>
</context>
<context>
    <name>ardenvo::EventSettingsDialog</name>
    <message>
        <source>Settings</source>
        <extracomment>The title of the dialog that edits one reminder.</extracomment>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Event settings</source>
        <translation>Ereigniseinstellungen</translation>
    </message>
</context>
<context>
    <name>ardenvo::OptionsPage</name>
    <message>
        <source>General options</source>
        <translation>Allgemeine Optionen</translation>
    </message>
    <message>
        <source>R&amp;un on computer startup</source>
        <translation>Beim &amp;Systemstart ausführen</translation>
    </message>
    <message>
        <source>Show &amp;tip dialogue</source>
        <translation>&amp;Tipp-Dialog anzeigen</translation>
    </message>
    <message>
        <source>Ardenvo projects</source>
        <translation>Ardenvo-Projekte</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>Project file</source>
        <translation>Projektdatei</translation>
    </message>
    <message>
        <source>&amp;Enable</source>
        <translation>&amp;Aktivieren</translation>
    </message>
    <message>
        <source>D&amp;isable</source>
        <translation>&amp;Deaktivieren</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <extracomment>Removes the selected projects from the list; the files stay.</extracomment>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>The start-up entry could not be written.</source>
        <translation>Der Autostart-Eintrag konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The start-up entry could not be removed.</source>
        <translation>Der Autostart-Eintrag konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Selected link(s) will be deleted. Are you sure you wish to continue?</source>
        <translation>Die ausgewählten Verknüpfungen werden gelöscht. Möchten Sie wirklich fortfahren?</translation>
    </message>
</context>
<context>
    <name>ardenvo::ReminderAboutBox</name>
    <message>
        <source>About Ardenvo Reminder</source>
        <translation>Über Ardenvo Reminder</translation>
    </message>
    <message>
        <source>Ardenvo Reminder Version %1</source>
        <translation>Ardenvo Reminder Version %1</translation>
    </message>
    <message>
        <source>Keeps an eye on the reminders of your Ardenvo houses.</source>
        <translation>Behält die Erinnerungen Ihrer Ardenvo-Häuser im Blick.</translation>
    </message>
</context>
<context>
    <name>ardenvo::ReminderApp</name>
    <message>
        <source>Ardenvo Reminder: tells you when a reminder of your houses is due.</source>
        <translation>Ardenvo Reminder: meldet, wenn eine Erinnerung Ihrer Häuser fällig ist.</translation>
    </message>
    <message>
        <source>Open the window on its &quot;Reminder&quot; page, save it as a PNG file, exit.</source>
        <translation>Das Fenster auf der Seite „Erinnerungen“ öffnen, als PNG-Datei speichern und beenden.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Append a line for each reload, notification and blink change to this file.</source>
        <translation>Für jedes Neuladen, jede Benachrichtigung und jeden Wechsel des Blinkens eine Zeile an diese Datei anhängen.</translation>
    </message>
    <message>
        <source>Add the number of seconds this file holds, read at every check, to the clock (for scripted checks of &quot;Remind me later&quot;).</source>
        <translation>Die Anzahl Sekunden in dieser Datei, bei jeder Prüfung neu gelesen, zur Uhrzeit addieren (für skriptgesteuerte Prüfungen von „Später erinnern“).</translation>
    </message>
</context>
<context>
    <name>ardenvo::ReminderSession</name>
    <message>
        <source>The project could not be written.</source>
        <translation>Das Projekt konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Wrong format of file: %1</source>
        <translation>Falsches Dateiformat: %1</translation>
    </message>
    <message>
        <source>The project file %1 has been changed by another program since it was loaded.
The reminder list has been refreshed. Please repeat the command.</source>
        <translation>Die Projektdatei %1 wurde seit dem Laden von einem anderen Programm geändert.
Die Erinnerungsliste wurde aktualisiert. Bitte wiederholen Sie den Befehl.</translation>
    </message>
    <message>
        <source>The file no longer exists.</source>
        <translation>Die Datei existiert nicht mehr.</translation>
    </message>
    <message>
        <source>Failed to save the project %1.
%2</source>
        <translation>Das Projekt %1 konnte nicht gespeichert werden.
%2</translation>
    </message>
    <message>
        <source>A new reminder needs a loaded project whose first block holds an object.
Add an object to the house in Ardenvo first.</source>
        <translation>Eine neue Erinnerung braucht ein geladenes Projekt, dessen erster Block ein Objekt enthält.
Fügen Sie dem Haus zuerst in Ardenvo ein Objekt hinzu.</translation>
    </message>
    <message>
        <source>The project %1 was saved, but its earlier version could not be kept:
%2</source>
        <translation>Das Projekt %1 wurde gespeichert, aber seine frühere Version konnte nicht aufbewahrt werden:
%2</translation>
    </message>
</context>
<context>
    <name>ardenvo::ReminderWindow</name>
    <message>
        <source>Ardenvo Reminder</source>
        <extracomment>The program&apos;s name, as the desktop lists its window.</extracomment>
        <translation>Ardenvo Reminder</translation>
    </message>
    <message>
        <source>&amp;Reminder</source>
        <translation>&amp;Erinnerungen</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Über...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Run on startup</source>
        <translation>Beim &amp;Systemstart ausführen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Remind me later</source>
        <translation>Später erinnern</translation>
    </message>
    <message>
        <source>Important notification</source>
        <translation>Wichtige Benachrichtigung</translation>
    </message>
    <message>
        <source>You have reminders! Please check them.</source>
        <translation>Sie haben fällige Erinnerungen! Bitte sehen Sie sie sich an.</translation>
    </message>
    <message>
        <source>The start-up entry could not be changed.</source>
        <translation>Der Autostart-Eintrag konnte nicht geändert werden.</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
</context>
<context>
    <name>ardenvo::TipDialog</name>
    <message>
        <source>Tip</source>
        <translation>Tipp</translation>
    </message>
    <message>
        <source>&amp;Don&apos;t show this dialogue in the future</source>
        <translation>&amp;Diesen Dialog künftig nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>Your reminder has now occurred. To reset the reminder program to stop reminding you please either reset the event or delete it. Please note if this reminder was for a single date only resetting it will also delete it.</source>
        <translation>Ihre Erinnerung ist jetzt fällig. Damit das Erinnerungsprogramm Sie nicht weiter erinnert, setzen Sie das Ereignis bitte zurück oder löschen Sie es. Bitte beachten Sie: Gilt diese Erinnerung nur für ein einzelnes Datum, wird sie beim Zurücksetzen ebenfalls gelöscht.</translation>
    </message>
</context>
<context>
    <name>ardenvo::TrayIcon</name>
    <message>
        <source>Check the events</source>
        <translation>Ereignisse prüfen</translation>
    </message>
</context>
</TS>
