<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>QGuiApplication</name>
    <message>
        <location filename="../src/vqcore/VQTranslations.cpp" line="12"/>
        <source>QT_LAYOUT_DIRECTION</source>
        <extracomment>&quot;LTR&quot; for a language written from left to right, &quot;RTL&quot; for one written from right to left.</extracomment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>Vellico</name>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="35"/>
        <location filename="../src/app/VQAppActions.cpp" line="228"/>
        <source>About Vellico</source>
        <translation>Über Vellico</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="36"/>
        <location filename="../src/app/VQWindowController.cpp" line="263"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="137"/>
        <source>Pick Color from Screen</source>
        <translation>Farbe vom Bildschirm aufnehmen</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="37"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="194"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="15"/>
        <source>New Collection</source>
        <translation>Neue Sammlung</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="38"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="17"/>
        <source>Find Color...</source>
        <translation>Farbe suchen...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="39"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="13"/>
        <source>Copy Color Name</source>
        <translation>Farbnamen kopieren</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="40"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="18"/>
        <source>Preferences...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="41"/>
        <source>Import ACO file...</source>
        <translation>ACO-Datei importieren...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="42"/>
        <source>Import ASE file...</source>
        <translation>ASE-Datei importieren...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="43"/>
        <source>Import CLR file...</source>
        <translation>CLR-Datei importieren...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="44"/>
        <source>Import GPL file...</source>
        <translation>GPL-Datei importieren...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="45"/>
        <source>Send Feedback...</source>
        <translation>Feedback senden...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="46"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="19"/>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="47"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="19"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="20"/>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="177"/>
        <location filename="../src/parsers/VQImportCommands.cpp" line="30"/>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="211"/>
        <source>A color picker and swatch manager for the desktop.</source>
        <translation>Ein Farbwähler und Farbfeldverwalter für den Desktop.</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="230"/>
        <location filename="../src/core/VQColorText.cpp" line="352"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="123"/>
        <location filename="../src/parsers/VQImportCommands.cpp" line="52"/>
        <location filename="../src/parsers/VQImportCommands.cpp" line="77"/>
        <location filename="../src/parsers/VQImportCommands.cpp" line="103"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="301"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="317"/>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="123"/>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="632"/>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="655"/>
        <location filename="../src/ui/tools/VQSwatchToolRow.cpp" line="149"/>
        <location filename="../src/vqcore/ui/VQDesktopOpen.cpp" line="39"/>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="55"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="250"/>
        <source>Vellico couldn&apos;t open the user guide: no web browser is set up on this desktop.</source>
        <translation>Vellico konnte das Benutzerhandbuch nicht öffnen: Auf diesem Desktop ist kein Webbrowser eingerichtet.</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="251"/>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="152"/>
        <source>Copy Path</source>
        <translation>Pfad kopieren</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="258"/>
        <source>Vellico couldn&apos;t start a mail program: none is set up on this desktop. Please write to this address:</source>
        <translation>Vellico konnte kein E-Mail-Programm starten: Auf diesem Desktop ist keines eingerichtet. Bitte schreiben Sie an diese Adresse:</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="260"/>
        <source>Copy Address</source>
        <translation>Adresse kopieren</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="23"/>
        <source>Vellico cannot write to the folder where the library should be saved.</source>
        <translation>Vellico kann nicht in den Ordner schreiben, in dem die Bibliothek gespeichert werden soll.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="24"/>
        <source>Please, hold down the Alt key while launching Vellico to choose a different library.</source>
        <translation>Halten Sie beim Start von Vellico die Alt-Taste gedrückt, um eine andere Bibliothek zu wählen.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="29"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="45"/>
        <source>Vellico couldn&apos;t open the swatch library.</source>
        <translation>Vellico konnte die Farbfeldbibliothek nicht öffnen.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="30"/>
        <source>The library may be corrupted or could be from a future release of Vellico.</source>
        <translation>Die Bibliothek ist möglicherweise beschädigt oder stammt aus einer neueren Version von Vellico.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="31"/>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="15"/>
        <source>No system tray is running: add one (on GNOME, the AppIndicator extension) and restart Vellico to put its icon there.</source>
        <translation>Es läuft kein Systemabschnitt: Richten Sie einen ein (unter GNOME die Erweiterung AppIndicator) und starten Sie Vellico neu, damit sein Symbol dort erscheint.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="24"/>
        <source>This desktop lets Vellico neither read the screen nor bind a key: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>Dieser Desktop lässt Vellico weder den Bildschirm lesen noch eine Taste belegen: Fügen Sie eine Farbe mit Ctrl+V ein oder geben Sie per Rechtsklick auf die Farbanzeige eine ein.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="27"/>
        <source>This desktop does not let Vellico read the screen: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>Dieser Desktop lässt Vellico den Bildschirm nicht lesen: Fügen Sie eine Farbe mit Ctrl+V ein oder geben Sie per Rechtsklick auf die Farbanzeige eine ein.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="30"/>
        <source>This desktop binds no global shortcut for Vellico: bind &quot;vellico --pick&quot; to a key in its keyboard settings (the preferences show how).</source>
        <translation>Dieser Desktop bietet Vellico kein globales Tastenkürzel: Weisen Sie „vellico --pick“ in seinen Tastatureinstellungen eine Taste zu (Anleitung in den Einstellungen von Vellico).</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="339"/>
        <source>Enter a hex, HTML or CSS color string.</source>
        <translation>Geben Sie eine Farbe als Hex-, HTML- oder CSS-Wert ein.</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="343"/>
        <source>Vellico accepts strings in these formats: 
• (#)RRGGBB (e.g. #EE11EE, #E1E or EE11EE, E1E)
• CSS rgb(r,g,b) and rgba(r,g,b,a)
• basic HTML colors (e.g. black, white)
• every CSS color: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), color() and the named colors (e.g. cornflowerblue).</source>
        <translation>Vellico akzeptiert Angaben in diesen Formaten: 
• (#)RRGGBB (z. B. #EE11EE, #E1E oder EE11EE, E1E)
• CSS rgb(r,g,b) und rgba(r,g,b,a)
• einfache HTML-Farben (z. B. black, white)
• jede CSS-Farbe: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), color() und die Farbnamen (z. B. cornflowerblue).</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="356"/>
        <location filename="../src/parsers/VQImportCommands.cpp" line="306"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="120"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="135"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="154"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="179"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="195"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="212"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="232"/>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="72"/>
        <location filename="../src/vqcore/VQModalUI.cpp" line="36"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="364"/>
        <source>Vellico couldn&apos;t parse the entered hex value.</source>
        <translation>Vellico konnte den eingegebenen Hex-Wert nicht auswerten.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="32"/>
        <source>Cannot read the library version number.</source>
        <translation>Die Versionsnummer der Bibliothek ist nicht lesbar.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="33"/>
        <source>It was created by a newer version of Vellico.</source>
        <translation>Sie wurde mit einer neueren Version von Vellico erstellt.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="566"/>
        <source>Waiting for another program to finish with the library %1…</source>
        <translation>Warten, bis ein anderes Programm die Bibliothek %1 freigibt…</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="599"/>
        <source>Another program replaced the library with a file that Vellico cannot merge (%1). That file was kept as “%2”; Vellico saved its own library in its place.</source>
        <translation>Ein anderes Programm hat die Bibliothek durch eine Datei ersetzt, die Vellico nicht zusammenführen kann (%1). Diese Datei wurde als „%2“ aufbewahrt; Vellico hat an ihrer Stelle seine eigene Bibliothek gespeichert.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="606"/>
        <source>Another program replaced the library %1 with a file that Vellico cannot merge (%2), and it could not be set aside. Vellico will not save over it: move it away.</source>
        <translation>Ein anderes Programm hat die Bibliothek %1 durch eine Datei ersetzt, die Vellico nicht zusammenführen kann (%2), und sie konnte nicht beiseitegelegt werden. Vellico wird sie nicht überschreiben: Verschieben Sie sie.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="625"/>
        <source>it cannot be read</source>
        <translation>sie ist nicht lesbar</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="632"/>
        <source>it was written by another version of Vellico</source>
        <translation>sie wurde von einer anderen Version von Vellico geschrieben</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="647"/>
        <source>Vellico did not save the library: %1. The file on disk is unchanged; remove some colors or collections so that it can be saved again.</source>
        <translation>Vellico hat die Bibliothek nicht gespeichert: %1. Die Datei auf dem Datenträger ist unverändert; entfernen Sie einige Farben oder Sammlungen, damit sie wieder gespeichert werden kann.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="45"/>
        <source>Choose Vellico library.</source>
        <translation>Wählen Sie eine Vellico-Bibliothek.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="46"/>
        <source>Vellico needs to store its information somewhere.</source>
        <translation>Vellico muss seine Daten irgendwo speichern.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="51"/>
        <source>Choose Library...</source>
        <translation>Bibliothek wählen...</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="63"/>
        <source>Create Library...</source>
        <translation>Bibliothek erstellen...</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="56"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="68"/>
        <source>Libraries</source>
        <translation>Bibliotheken</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="66"/>
        <source>Vellico Library</source>
        <translation>Vellico-Bibliothek</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <source>Vellico couldn&apos;t create the library.</source>
        <translation>Vellico konnte die Bibliothek nicht erstellen.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="121"/>
        <source>Custom library wasn&apos;t found!</source>
        <translation>Die eigene Bibliothek wurde nicht gefunden!</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="122"/>
        <source>Vellico will use the default library instead.</source>
        <translation>Vellico verwendet stattdessen die Standardbibliothek.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQACOParser.cpp" line="124"/>
        <source>Imported from ACO</source>
        <translation>Aus ACO importiert</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQASEParser.cpp" line="166"/>
        <location filename="../src/parsers/VQASEParser.cpp" line="180"/>
        <location filename="../src/parsers/VQGPLParser.cpp" line="186"/>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="200"/>
        <source>Untitled Collection</source>
        <translation>Unbenannte Sammlung</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="32"/>
        <source>Swatch files</source>
        <translation>Farbfelddateien</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="49"/>
        <source>The file might be corrupted.</source>
        <translation>Die Datei ist möglicherweise beschädigt.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="50"/>
        <source>No colors found in the file!</source>
        <translation>Keine Farben in der Datei gefunden!</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="74"/>
        <source>Some names were changed on the way in.</source>
        <translation>Einige Namen wurden beim Import geändert.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="75"/>
        <source>Some rows of the file were not imported.</source>
        <translation>Einige Zeilen der Datei wurden nicht importiert.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="101"/>
        <source>The file was not imported.</source>
        <translation>Die Datei wurde nicht importiert.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="303"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="117"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="209"/>
        <source>Please, enter a new name for the color:</source>
        <translation>Geben Sie einen neuen Namen für die Farbe ein:</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="306"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="120"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="154"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="212"/>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="117"/>
        <source>The pick through the desktop portal was ended before it answered.</source>
        <translation>Die Farbaufnahme über das Desktop-Portal wurde vor seiner Antwort beendet.</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="118"/>
        <source>The desktop portal&apos;s pick was cancelled.</source>
        <translation>Die Farbaufnahme des Desktop-Portals wurde abgebrochen.</translation>
    </message>
    <message>
        <location filename="../src/platform/VQGlobalShortcutService.cpp" line="57"/>
        <source>The shortcut %1 is used by another program, so it does not start Vellico&apos;s loupe. Choose another shortcut in the preferences.</source>
        <translation>Das Tastenkürzel %1 wird von einem anderen Programm verwendet und startet daher nicht die Lupe von Vellico. Wählen Sie in den Einstellungen ein anderes Tastenkürzel.</translation>
    </message>
    <message>
        <location filename="../src/platform/x11/VQX11Desktop.cpp" line="432"/>
        <source>Vellico runs on XWayland, and an X11 program cannot read the screen of a Wayland session; start it without QT_QPA_PLATFORM=xcb</source>
        <translation>Vellico läuft unter XWayland, und ein X11-Programm kann den Bildschirm einer Wayland-Sitzung nicht lesen; starten Sie es ohne QT_QPA_PLATFORM=xcb</translation>
    </message>
    <message>
        <location filename="../src/ui/collection_viewer/VQQuickLookController.cpp" line="108"/>
        <source>Swatch size</source>
        <translation>Farbfeldgröße</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="80"/>
        <source>Collection</source>
        <translation>Sammlung</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="133"/>
        <source>Do you really want to remove this color from its collection?</source>
        <translation>Möchten Sie diese Farbe wirklich aus ihrer Sammlung entfernen?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="134"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="178"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="231"/>
        <source>This action cannot be undone.</source>
        <translation>Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="135"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="179"/>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="37"/>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="151"/>
        <source>Please, enter a new name for the color collection:</source>
        <translation>Geben Sie einen neuen Namen für die Farbsammlung ein:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="177"/>
        <source>Do you really want to remove this collection?</source>
        <translation>Möchten Sie diese Sammlung wirklich entfernen?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="192"/>
        <source>Please, enter a name for the color collection:</source>
        <translation>Geben Sie einen Namen für die Farbsammlung ein:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="195"/>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="230"/>
        <source>Are you sure you want to merge these two collections?</source>
        <translation>Möchten Sie diese beiden Sammlungen wirklich zusammenführen?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="232"/>
        <source>Merge</source>
        <translation>Zusammenführen</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="285"/>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="287"/>
        <source>Palette files</source>
        <translation>Palettendateien</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="292"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="453"/>
        <source>Collections</source>
        <translation>Sammlungen</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="301"/>
        <source>The colors could not be exported.</source>
        <translation>Die Farben konnten nicht exportiert werden.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="315"/>
        <source>Some names were changed in the exported file.</source>
        <translation>Einige Namen wurden in der exportierten Datei geändert.</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="68"/>
        <source>Previous collections</source>
        <translation>Vorherige Sammlungen</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="69"/>
        <source>Next collections</source>
        <translation>Nächste Sammlungen</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="303"/>
        <source>Drop a color here, import a palette, or Ctrl+N</source>
        <translation>Farbe ablegen, Palette importieren oder Ctrl+N</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="336"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="345"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="227"/>
        <source>Rename...</source>
        <translation>Umbenennen...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="340"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="346"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="155"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="231"/>
        <source>Remove...</source>
        <translation>Entfernen...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="347"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="159"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="235"/>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="350"/>
        <source>Open Collection Viewer...</source>
        <translation>Sammlungsansicht öffnen...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="352"/>
        <source>Organize...</source>
        <translation>Verwalten...</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenshotLoupe.cpp" line="183"/>
        <source>Vellico loupe</source>
        <translation>Vellico-Lupe</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="9"/>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="441"/>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="10"/>
        <source>Copy Alternate Format</source>
        <translation>Alternativformat kopieren</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="12"/>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="21"/>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="23"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="461"/>
        <source>Swap with Selection</source>
        <translation>Mit Auswahl tauschen</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="53"/>
        <source>Click to copy; right click to type a color</source>
        <translation>Zum Kopieren klicken; Rechtsklick zum Eingeben einer Farbe</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="54"/>
        <source>Selected color</source>
        <translation>Ausgewählte Farbe</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="308"/>
        <source>Click to copy the name</source>
        <translation>Zum Kopieren des Namens klicken</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="318"/>
        <source>Copied “%1”</source>
        <translation>„%1“ kopiert</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="142"/>
        <source>Preferences, import and more</source>
        <translation>Einstellungen, Import und mehr</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="143"/>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="168"/>
        <source>Show or hide the collections</source>
        <translation>Sammlungen ein- oder ausblenden</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="169"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="303"/>
        <source>Hide Collections</source>
        <translation>Sammlungen ausblenden</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="304"/>
        <source>Show Collections</source>
        <translation>Sammlungen einblenden</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="131"/>
        <source>Organizer</source>
        <translation>Sammlungsverwaltung</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="156"/>
        <source>Remove the selected collection</source>
        <translation>Ausgewählte Sammlung entfernen</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="160"/>
        <source>Export the selected collections</source>
        <translation>Ausgewählte Sammlungen exportieren</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="102"/>
        <source>Click for the colors of this collection</source>
        <translation>Klicken zeigt die Farben dieser Sammlung</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="110"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQCMYKSlidersColorPicker.h" line="10"/>
        <source>CMYK Sliders</source>
        <translation>CMYK-Regler</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="34"/>
        <source>Color wheel</source>
        <translation>Farbkreis</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="150"/>
        <source>Select White</source>
        <translation>Weiß auswählen</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelPicker.h" line="16"/>
        <source>Color Wheel</source>
        <translation>Farbkreis</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="20"/>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="22"/>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="24"/>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="26"/>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="28"/>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="30"/>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="34"/>
        <location filename="../src/ui/pickers/VQGrayscaleColorPicker.cpp" line="9"/>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="36"/>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="38"/>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQGrayscaleColorPicker.h" line="10"/>
        <source>Grayscale</source>
        <translation>Graustufen</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBColorPicker.h" line="10"/>
        <source>HSB Sliders</source>
        <translation>HSB-Regler</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.cpp" line="37"/>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.h" line="16"/>
        <source>Color Square</source>
        <translation>Farbquadrat</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQRGBSlidersColorPicker.h" line="10"/>
        <source>RGB Sliders</source>
        <translation>RGB-Regler</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="53"/>
        <source>Type shortcut</source>
        <translation>Kürzel drücken</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="56"/>
        <source>Click to record shortcut</source>
        <translation>Klicken für Tastenkürzel</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="70"/>
        <source>Global shortcut</source>
        <translation>Globales Tastenkürzel</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="78"/>
        <source>Use old shortcut</source>
        <translation>Altes Kürzel verwenden</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="15"/>
        <source>The key combination %@ can&apos;t be used!</source>
        <translation>Die Tastenkombination %@ kann nicht verwendet werden!</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="51"/>
        <source>it&apos;s already used</source>
        <translation>sie bereits belegt ist</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="53"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because %@.</source>
        <translation>Die Tastenkombination „%@“ kann nicht verwendet werden, weil %@.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="63"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by a system-wide keyboard shortcut. (If you really want to use this key combination, most shortcuts can be changed in the keyboard settings of your desktop.)</source>
        <translation>Die Tastenkombination „%@“ kann nicht verwendet werden, weil sie bereits von einem systemweiten Tastenkürzel belegt ist. (Wenn Sie diese Tastenkombination wirklich verwenden möchten: Die meisten Tastenkürzel lassen sich in den Tastatureinstellungen Ihres Desktops ändern.)</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="74"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because its key has no name on the current keyboard layout.</source>
        <translation>Die Tastenkombination „%@“ kann nicht verwendet werden, weil ihre Taste in der aktuellen Tastaturbelegung keinen Namen hat.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="96"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by the menu item &quot;%@&quot;.</source>
        <translation>Die Tastenkombination „%@“ kann nicht verwendet werden, weil sie bereits vom Menüeintrag „%@“ belegt ist.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQLaunchAtLogin.cpp" line="120"/>
        <source>The folder %1 could not be made.</source>
        <translation>Der Ordner %1 konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="32"/>
        <source>This desktop</source>
        <translation>Dieser Desktop</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>picks a color</source>
        <translation>nimmt eine Farbe auf</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>opens or closes the window</source>
        <translation>öffnet oder schließt das Fenster</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="41"/>
        <source>Asking %1 to bind the shortcut…</source>
        <translation>%1 wird gebeten, das Tastenkürzel einzurichten…</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="45"/>
        <source>%1 bound the shortcut; its keyboard settings show the keys.</source>
        <translation>%1 hat das Tastenkürzel eingerichtet; die Tasten stehen in seinen Tastatureinstellungen.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="46"/>
        <source>%1 bound the shortcut to %2.</source>
        <translation>%1 hat als Tastenkürzel %2 eingerichtet.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="49"/>
        <source>%1 did not bind the shortcut (%2). In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <translation>%1 hat das Tastenkürzel nicht eingerichtet (%2). Weisen Sie in seinen Tastatureinstellungen den ersten Befehl einer Taste zu, um eine Farbe aufzunehmen, oder den zweiten, um das Fenster zu öffnen:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="57"/>
        <source>%1 binds no global shortcut for programs%2. In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <extracomment>%1 is the desktop&apos;s name; %2 is empty or the reason in parentheses, with a space before it.</extracomment>
        <translation>%1 bietet Programmen keine globalen Tastenkürzel%2. Weisen Sie in seinen Tastatureinstellungen den ersten Befehl einer Taste zu, um eine Farbe aufzunehmen, oder den zweiten, um das Fenster zu öffnen:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="59"/>
        <source>Hexadecimal: FF8000</source>
        <translation>Hexadezimal: FF8000</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="60"/>
        <source>Hexadecimal: #FF8000</source>
        <translation>Hexadezimal: #FF8000</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="89"/>
        <source>Vellico Preferences</source>
        <translation>Vellico-Einstellungen</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="200"/>
        <source>Synchronize through a shared folder</source>
        <translation>Über gemeinsamen Ordner synchronisieren</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="205"/>
        <source>No folder chosen</source>
        <translation>Kein Ordner gewählt</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="206"/>
        <source>Shared folder</source>
        <translation>Gemeinsamer Ordner</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="207"/>
        <source>Choose...</source>
        <translation>Wählen...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="239"/>
        <source>Global shortcut:</source>
        <translation>Globales Kürzel:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="245"/>
        <source>Copy format:</source>
        <translation>Kopierformat:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="250"/>
        <source>Alternate format:</source>
        <translation>Alternativformat:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="254"/>
        <source>Your formats...</source>
        <translation>Eigene Formate...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="258"/>
        <source>Hexadecimal and CSS in lower case</source>
        <translation>Hexadezimal und CSS in Kleinbuchstaben</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Crosshair</source>
        <translation>Fadenkreuz</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Circle</source>
        <translation>Kreis</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="270"/>
        <source>Cursor on the wheel:</source>
        <translation>Zeiger im Farbkreis:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="283"/>
        <source>Bring Vellico to the front when picking from the screen</source>
        <translation>Vellico beim Aufnehmen vom Bildschirm in den Vordergrund holen</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="288"/>
        <source>Remember recent colors</source>
        <translation>Letzte Farben merken</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="291"/>
        <source>How many recent colors are kept</source>
        <translation>Wie viele letzte Farben behalten werden</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="292"/>
        <source>Keep:</source>
        <translation>Behalten:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="294"/>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="295"/>
        <source>Forget the recent colors now</source>
        <translation>Letzte Farben jetzt vergessen</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="304"/>
        <source>Launch at login</source>
        <translation>Bei Anmeldung starten</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="307"/>
        <source>Write a debug log</source>
        <translation>Debug-Protokoll schreiben</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="308"/>
        <source>Show the log file</source>
        <translation>Protokolldatei anzeigen</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="318"/>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="378"/>
        <source>No global shortcut in this session: %1</source>
        <translation>Kein globales Tastenkürzel in dieser Sitzung: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="439"/>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="442"/>
        <source>Copy the command</source>
        <translation>Befehl kopieren</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="627"/>
        <source>Vellico could not be added to the programs started at login.</source>
        <translation>Vellico konnte nicht zu den Programmen hinzugefügt werden, die bei der Anmeldung starten.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="629"/>
        <source>Vellico could not be removed from the programs started at login.</source>
        <translation>Vellico konnte nicht aus den Programmen entfernt werden, die bei der Anmeldung starten.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="643"/>
        <source>Choose the shared folder</source>
        <translation>Gemeinsamen Ordner wählen</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="655"/>
        <source>This folder can&apos;t be used for synchronization.</source>
        <translation>Dieser Ordner kann nicht zur Synchronisation verwendet werden.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="27"/>
        <source>The folder &quot;%1&quot; does not exist. Choose a folder that is there, for example one your sync tool keeps alike on all your computers.</source>
        <translation>Der Ordner „%1“ existiert nicht. Wählen Sie einen vorhandenen Ordner, zum Beispiel einen, den Ihr Synchronisationsprogramm auf allen Ihren Rechnern gleich hält.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="31"/>
        <source>&quot;%1&quot; is a file, not a folder. Choose the folder your copies should go to.</source>
        <translation>„%1“ ist eine Datei, kein Ordner. Wählen Sie den Ordner, in den Ihre Kopien sollen.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="34"/>
        <source>Vellico cannot write into the folder &quot;%1&quot;. Choose a folder you may write to.</source>
        <translation>Vellico kann nicht in den Ordner „%1“ schreiben. Wählen Sie einen Ordner, in den Sie schreiben dürfen.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="42"/>
        <source>Choose the shared folder to synchronize.</source>
        <translation>Wählen Sie den gemeinsamen Ordner für die Synchronisation.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="45"/>
        <source>This computer has no identity to name its copy after: nothing will be written.</source>
        <translation>Dieser Rechner hat keine Kennung, nach der seine Kopie benannt werden kann: Es wird nichts geschrieben.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="46"/>
        <source>This computer&apos;s copy: %1</source>
        <translation>Kopie dieses Rechners: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="23"/>
        <source>Your Copy Formats</source>
        <translation>Eigene Kopierformate</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="36"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="43"/>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="45"/>
        <source>Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="57"/>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="58"/>
        <source>Template:</source>
        <translation>Vorlage:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="64"/>
        <source>Placeholders: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1), and the channels of hsl, hwb, oklch, oklab, lab, lch and p3, such as {oklch.l}; &quot;:3&quot; gives 3 decimals; {{ and }} are braces.</source>
        <translation>Platzhalter: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1) und die Kanäle von hsl, hwb, oklch, oklab, lab, lch und p3, etwa {oklch.l}; „:3“ ergibt 3 Nachkommastellen; {{ und }} ergeben geschweifte Klammern.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="74"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="141"/>
        <source>Orange copies as: %1</source>
        <translation>Orange wird kopiert als: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="146"/>
        <source>Format %1</source>
        <translation>Format %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="178"/>
        <source>The format needs a name.</source>
        <translation>Das Format braucht einen Namen.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="180"/>
        <source>&quot;%1&quot;: %2</source>
        <translation>„%1“: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="52"/>
        <source>Matching colors</source>
        <translation>Passende Farben</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="55"/>
        <source>Find a color by name or value</source>
        <translation>Farbe nach Name oder Wert suchen</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="56"/>
        <source>Find Color</source>
        <translation>Farbe suchen</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="238"/>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="239"/>
        <source>Large</source>
        <translation>Groß</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="393"/>
        <source>Contrast against %1: drop a color here, or click for more</source>
        <translation>Kontrast zu %1: Farbe hier ablegen oder für mehr klicken</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="394"/>
        <source>Color to contrast against: %1</source>
        <translation>Vergleichsfarbe für den Kontrast: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="432"/>
        <source>Pick from Screen</source>
        <translation>Vom Bildschirm aufnehmen</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="436"/>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="32"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="438"/>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="448"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="458"/>
        <source>%n more not shown</source>
        <translation>
            <numerusform>%n weitere nicht angezeigt</numerusform>
            <numerusform>%n weitere nicht angezeigt</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="463"/>
        <source>Copy Contrast Summary</source>
        <translation>Kontrastübersicht kopieren</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>passes</source>
        <translation>erfüllt</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>fails</source>
        <translation>nicht erfüllt</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="96"/>
        <source>Contrast ratio of %1 and %2 (WCAG 2.2): %3</source>
        <translation>Kontrastverhältnis von %1 und %2 (WCAG 2.2): %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="118"/>
        <source>large text</source>
        <translation>großer Text</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="118"/>
        <source>normal text</source>
        <translation>normaler Text</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="121"/>
        <source>%1 %2: %3 (needs %4)</source>
        <translation>%1 %2: %3 (benötigt %4)</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="138"/>
        <source>APCA lightness contrast of %1 as text on %2: Lc %3</source>
        <translation>APCA-Helligkeitskontrast von %1 als Text auf %2: Lc %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="159"/>
        <source>Passes AA for normal text on %1</source>
        <translation>Erfüllt AA für normalen Text auf %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="161"/>
        <source>Nearest color that passes AA for normal text on %1: %2 (%3); click to select it</source>
        <translation>Nächste Farbe, die AA für normalen Text auf %1 erfüllt: %2 (%3); zum Auswählen klicken</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="168"/>
        <source>%1 on %2: %3</source>
        <translation>%1 auf %2: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="173"/>
        <source>nearest passing AA: %1</source>
        <translation>nächste AA-konforme Farbe: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="181"/>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="26"/>
        <source>Recent Colors</source>
        <translation>Letzte Farben</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="7"/>
        <source>Save the recent colors as a collection</source>
        <translation>Letzte Farben als Sammlung speichern</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="10"/>
        <source>Recent colors</source>
        <translation>Letzte Farben</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="21"/>
        <source>No recent colors yet</source>
        <translation>Noch keine letzten Farben</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="9"/>
        <source>Add as collection</source>
        <translation>Als Sammlung hinzufügen</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="12"/>
        <source>Shades</source>
        <translation>Abstufungen</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="29"/>
        <source>%1 %2°</source>
        <translation>%1 %2°</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="31"/>
        <source>%1 %2%</source>
        <translation>%1 %2 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="35"/>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="40"/>
        <source>Hue %1°, saturation %2%</source>
        <translation>Farbton %1°, Sättigung %2 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="45"/>
        <source>Brightness %1%</source>
        <translation>Helligkeit %1 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="50"/>
        <source>Saturation %1%, brightness %2%</source>
        <translation>Sättigung %1 %, Helligkeit %2 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="58"/>
        <source>cyan %1%, magenta %2%, yellow %3%, black %4%</source>
        <translation>Cyan %1 %, Magenta %2 %, Gelb %3 %, Schwarz %4 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="67"/>
        <source>Color %1</source>
        <translation>Farbe %1</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, %2</source>
        <translation>Farbe %1, %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, close to %2</source>
        <translation>Farbe %1, ähnlich %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="74"/>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="28"/>
        <source>No color selected</source>
        <translation>Keine Farbe ausgewählt</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="79"/>
        <source>%1, %n color(s)</source>
        <translation>
            <numerusform>%1, %n Farbe</numerusform>
            <numerusform>%1, %n Farben</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="84"/>
        <source>%1 (%2 of %3)</source>
        <translation>%1 (%2 von %3)</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="89"/>
        <source>%1, sample %2</source>
        <translation>%1, Messfeld %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQSwatchToolRow.cpp" line="147"/>
        <source>The collection was not added.</source>
        <translation>Die Sammlung wurde nicht hinzugefügt.</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="68"/>
        <source>Do not show this message again</source>
        <translation>Diese Meldung nicht mehr anzeigen</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="151"/>
        <source>Vellico couldn&apos;t show the log file: no file manager is set up on this desktop.</source>
        <translation>Vellico konnte die Protokolldatei nicht anzeigen: Auf diesem Desktop ist keine Dateiverwaltung eingerichtet.</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQColorOverviewView.cpp" line="13"/>
        <source>Color under the pointer</source>
        <translation>Farbe unter dem Zeiger</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQMagnifierLoupeWindow.cpp" line="34"/>
        <source>Loupe</source>
        <translation>Lupe</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenPreviewView.cpp" line="54"/>
        <source>Magnifier</source>
        <translation>Vergrößerung</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQBrightnessSlider.cpp" line="23"/>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="40"/>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorPickerChooserPopUpButton.cpp" line="11"/>
        <source>Color picker</source>
        <translation>Farbwähler</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQSaturationBrightnessView.cpp" line="17"/>
        <source>Saturation and brightness</source>
        <translation>Sättigung und Helligkeit</translation>
    </message>
</context>
</TS>
