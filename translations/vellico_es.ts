<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
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
        <translation>Acerca de Vellico</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="36"/>
        <location filename="../src/app/VQWindowController.cpp" line="263"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="137"/>
        <source>Pick Color from Screen</source>
        <translation>Capturar color de la pantalla</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="37"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="194"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="15"/>
        <source>New Collection</source>
        <translation>Nueva colección</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="38"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="17"/>
        <source>Find Color...</source>
        <translation>Buscar color...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="39"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="13"/>
        <source>Copy Color Name</source>
        <translation>Copiar nombre del color</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="40"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="18"/>
        <source>Preferences...</source>
        <translation>Preferencias...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="41"/>
        <source>Import ACO file...</source>
        <translation>Importar archivo ACO...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="42"/>
        <source>Import ASE file...</source>
        <translation>Importar archivo ASE...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="43"/>
        <source>Import CLR file...</source>
        <translation>Importar archivo CLR...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="44"/>
        <source>Import GPL file...</source>
        <translation>Importar archivo GPL...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="45"/>
        <source>Send Feedback...</source>
        <translation>Enviar comentarios...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="46"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="19"/>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="47"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="19"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="20"/>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="177"/>
        <location filename="../src/parsers/VQImportCommands.cpp" line="30"/>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="211"/>
        <source>A color picker and swatch manager for the desktop.</source>
        <translation>Un selector de colores y gestor de muestras para el escritorio.</translation>
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
        <translation>Aceptar</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="250"/>
        <source>Vellico couldn&apos;t open the user guide: no web browser is set up on this desktop.</source>
        <translation>Vellico no pudo abrir la guía del usuario: no hay ningún navegador web configurado en este escritorio.</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="251"/>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="152"/>
        <source>Copy Path</source>
        <translation>Copiar ruta</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="258"/>
        <source>Vellico couldn&apos;t start a mail program: none is set up on this desktop. Please write to this address:</source>
        <translation>Vellico no pudo iniciar un programa de correo: no hay ninguno configurado en este escritorio. Escriba a esta dirección:</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="260"/>
        <source>Copy Address</source>
        <translation>Copiar dirección</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="23"/>
        <source>Vellico cannot write to the folder where the library should be saved.</source>
        <translation>Vellico no puede escribir en la carpeta donde debe guardarse la biblioteca.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="24"/>
        <source>Please, hold down the Alt key while launching Vellico to choose a different library.</source>
        <translation>Mantenga pulsada la tecla Alt al iniciar Vellico para elegir otra biblioteca.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="29"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="45"/>
        <source>Vellico couldn&apos;t open the swatch library.</source>
        <translation>Vellico no pudo abrir la biblioteca de muestras.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="30"/>
        <source>The library may be corrupted or could be from a future release of Vellico.</source>
        <translation>Puede que la biblioteca esté dañada o que sea de una versión futura de Vellico.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="31"/>
        <source>Overwrite</source>
        <translation>Sobrescribir</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="15"/>
        <source>No system tray is running: add one (on GNOME, the AppIndicator extension) and restart Vellico to put its icon there.</source>
        <translation>No hay ninguna bandeja del sistema en ejecución: añada una (en GNOME, la extensión AppIndicator) y reinicie Vellico para poner ahí su icono.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="24"/>
        <source>This desktop lets Vellico neither read the screen nor bind a key: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>Este escritorio no permite a Vellico leer la pantalla ni asignar una tecla: pegue un color con Ctrl+V o haga clic derecho en el valor para escribir uno.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="27"/>
        <source>This desktop does not let Vellico read the screen: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>Este escritorio no permite a Vellico leer la pantalla: pegue un color con Ctrl+V o haga clic derecho en el valor para escribir uno.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="30"/>
        <source>This desktop binds no global shortcut for Vellico: bind &quot;vellico --pick&quot; to a key in its keyboard settings (the preferences show how).</source>
        <translation>Este escritorio no asigna atajos globales para Vellico: asigne «vellico --pick» a una tecla en su configuración del teclado (las preferencias explican cómo).</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="339"/>
        <source>Enter a hex, HTML or CSS color string.</source>
        <translation>Introduzca un color hexadecimal, HTML o CSS.</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="343"/>
        <source>Vellico accepts strings in these formats: 
• (#)RRGGBB (e.g. #EE11EE, #E1E or EE11EE, E1E)
• CSS rgb(r,g,b) and rgba(r,g,b,a)
• basic HTML colors (e.g. black, white)
• every CSS color: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), color() and the named colors (e.g. cornflowerblue).</source>
        <translation>Vellico acepta textos en estos formatos: 
• (#)RRGGBB (p. ej., #EE11EE, #E1E o EE11EE, E1E)
• CSS rgb(r,g,b) y rgba(r,g,b,a)
• colores HTML básicos (p. ej., black, white)
• todos los colores CSS: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), color() y los colores con nombre (p. ej., cornflowerblue).</translation>
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
        <translation>Cancelar</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="364"/>
        <source>Vellico couldn&apos;t parse the entered hex value.</source>
        <translation>Vellico no pudo interpretar el valor hexadecimal introducido.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="32"/>
        <source>Cannot read the library version number.</source>
        <translation>No se puede leer el número de versión de la biblioteca.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="33"/>
        <source>It was created by a newer version of Vellico.</source>
        <translation>Fue creada por una versión más reciente de Vellico.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="566"/>
        <source>Waiting for another program to finish with the library %1…</source>
        <translation>Esperando a que otro programa termine con la biblioteca %1…</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="599"/>
        <source>Another program replaced the library with a file that Vellico cannot merge (%1). That file was kept as “%2”; Vellico saved its own library in its place.</source>
        <translation>Otro programa reemplazó la biblioteca por un archivo que Vellico no puede combinar (%1). Ese archivo se conservó como «%2»; Vellico guardó su propia biblioteca en su lugar.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="606"/>
        <source>Another program replaced the library %1 with a file that Vellico cannot merge (%2), and it could not be set aside. Vellico will not save over it: move it away.</source>
        <translation>Otro programa reemplazó la biblioteca %1 por un archivo que Vellico no puede combinar (%2) y no se pudo apartar. Vellico no lo sobrescribirá: muévalo a otro lugar.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="625"/>
        <source>it cannot be read</source>
        <translation>no se puede leer</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="632"/>
        <source>it was written by another version of Vellico</source>
        <translation>lo escribió otra versión de Vellico</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="647"/>
        <source>Vellico did not save the library: %1. The file on disk is unchanged; remove some colors or collections so that it can be saved again.</source>
        <translation>Vellico no guardó la biblioteca: %1. El archivo del disco no ha cambiado; elimine algunos colores o colecciones para que pueda guardarse de nuevo.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="45"/>
        <source>Choose Vellico library.</source>
        <translation>Elija la biblioteca de Vellico.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="46"/>
        <source>Vellico needs to store its information somewhere.</source>
        <translation>Vellico necesita guardar su información en algún lugar.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="51"/>
        <source>Choose Library...</source>
        <translation>Elegir biblioteca...</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="63"/>
        <source>Create Library...</source>
        <translation>Crear biblioteca...</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="56"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="68"/>
        <source>Libraries</source>
        <translation>Bibliotecas</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="66"/>
        <source>Vellico Library</source>
        <translation>Biblioteca de Vellico</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <source>Vellico couldn&apos;t create the library.</source>
        <translation>Vellico no pudo crear la biblioteca.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="121"/>
        <source>Custom library wasn&apos;t found!</source>
        <translation>¡No se encontró la biblioteca personalizada!</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="122"/>
        <source>Vellico will use the default library instead.</source>
        <translation>Vellico usará la biblioteca predeterminada en su lugar.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQACOParser.cpp" line="124"/>
        <source>Imported from ACO</source>
        <translation>Importada de ACO</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQASEParser.cpp" line="166"/>
        <location filename="../src/parsers/VQASEParser.cpp" line="180"/>
        <location filename="../src/parsers/VQGPLParser.cpp" line="186"/>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="200"/>
        <source>Untitled Collection</source>
        <translation>Colección sin título</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="32"/>
        <source>Swatch files</source>
        <translation>Archivos de muestras</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="49"/>
        <source>The file might be corrupted.</source>
        <translation>Puede que el archivo esté dañado.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="50"/>
        <source>No colors found in the file!</source>
        <translation>¡No se encontraron colores en el archivo!</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="74"/>
        <source>Some names were changed on the way in.</source>
        <translation>Algunos nombres se cambiaron al importar.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="75"/>
        <source>Some rows of the file were not imported.</source>
        <translation>Algunas filas del archivo no se importaron.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="101"/>
        <source>The file was not imported.</source>
        <translation>El archivo no se importó.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="303"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="117"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="209"/>
        <source>Please, enter a new name for the color:</source>
        <translation>Introduzca un nombre nuevo para el color:</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="306"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="120"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="154"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="212"/>
        <source>Rename</source>
        <translation>Renombrar</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="117"/>
        <source>The pick through the desktop portal was ended before it answered.</source>
        <translation>La captura mediante el portal del escritorio terminó antes de que respondiera.</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="118"/>
        <source>The desktop portal&apos;s pick was cancelled.</source>
        <translation>Se canceló la captura del portal del escritorio.</translation>
    </message>
    <message>
        <location filename="../src/platform/VQGlobalShortcutService.cpp" line="57"/>
        <source>The shortcut %1 is used by another program, so it does not start Vellico&apos;s loupe. Choose another shortcut in the preferences.</source>
        <translation>Otro programa usa el atajo %1, así que no abre la lupa de Vellico. Elija otro atajo en las preferencias.</translation>
    </message>
    <message>
        <location filename="../src/platform/x11/VQX11Desktop.cpp" line="432"/>
        <source>Vellico runs on XWayland, and an X11 program cannot read the screen of a Wayland session; start it without QT_QPA_PLATFORM=xcb</source>
        <translation>Vellico se ejecuta en XWayland y un programa X11 no puede leer la pantalla de una sesión Wayland; inícielo sin QT_QPA_PLATFORM=xcb</translation>
    </message>
    <message>
        <location filename="../src/ui/collection_viewer/VQQuickLookController.cpp" line="108"/>
        <source>Swatch size</source>
        <translation>Tamaño de muestra</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="80"/>
        <source>Collection</source>
        <translation>Colección</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="133"/>
        <source>Do you really want to remove this color from its collection?</source>
        <translation>¿Realmente quiere eliminar este color de su colección?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="134"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="178"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="231"/>
        <source>This action cannot be undone.</source>
        <translation>Esta acción no se puede deshacer.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="135"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="179"/>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="37"/>
        <source>Remove</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="151"/>
        <source>Please, enter a new name for the color collection:</source>
        <translation>Introduzca un nombre nuevo para la colección:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="177"/>
        <source>Do you really want to remove this collection?</source>
        <translation>¿Realmente quiere eliminar esta colección?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="192"/>
        <source>Please, enter a name for the color collection:</source>
        <translation>Introduzca un nombre para la colección:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="195"/>
        <source>Create</source>
        <translation>Crear</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="230"/>
        <source>Are you sure you want to merge these two collections?</source>
        <translation>¿Seguro que quiere combinar estas dos colecciones?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="232"/>
        <source>Merge</source>
        <translation>Combinar</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="285"/>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="287"/>
        <source>Palette files</source>
        <translation>Archivos de paleta</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="292"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="453"/>
        <source>Collections</source>
        <translation>Colecciones</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="301"/>
        <source>The colors could not be exported.</source>
        <translation>No se pudieron exportar los colores.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="315"/>
        <source>Some names were changed in the exported file.</source>
        <translation>Algunos nombres se cambiaron en el archivo exportado.</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="68"/>
        <source>Previous collections</source>
        <translation>Colecciones anteriores</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="69"/>
        <source>Next collections</source>
        <translation>Colecciones siguientes</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="303"/>
        <source>Drop a color here, import a palette, or Ctrl+N</source>
        <translation>Suelte un color, importe una paleta o Ctrl+N</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="336"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="345"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="227"/>
        <source>Rename...</source>
        <translation>Renombrar...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="340"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="346"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="155"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="231"/>
        <source>Remove...</source>
        <translation>Eliminar...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="347"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="159"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="235"/>
        <source>Export...</source>
        <translation>Exportar...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="350"/>
        <source>Open Collection Viewer...</source>
        <translation>Abrir visor de colección...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="352"/>
        <source>Organize...</source>
        <translation>Organizar...</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenshotLoupe.cpp" line="183"/>
        <source>Vellico loupe</source>
        <translation>Lupa de Vellico</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="9"/>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="441"/>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="10"/>
        <source>Copy Alternate Format</source>
        <translation>Copiar en formato alternativo</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="12"/>
        <source>Paste</source>
        <translation>Pegar</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="21"/>
        <source>Close Window</source>
        <translation>Cerrar ventana</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="23"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="461"/>
        <source>Swap with Selection</source>
        <translation>Intercambiar con la selección</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="53"/>
        <source>Click to copy; right click to type a color</source>
        <translation>Clic para copiar; clic derecho para escribir un color</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="54"/>
        <source>Selected color</source>
        <translation>Color seleccionado</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="308"/>
        <source>Click to copy the name</source>
        <translation>Clic para copiar el nombre</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="318"/>
        <source>Copied “%1”</source>
        <translation>Copiado «%1»</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="142"/>
        <source>Preferences, import and more</source>
        <translation>Preferencias, importar y más</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="143"/>
        <source>Menu</source>
        <translation>Menú</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="168"/>
        <source>Show or hide the collections</source>
        <translation>Mostrar u ocultar las colecciones</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="169"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="303"/>
        <source>Hide Collections</source>
        <translation>Ocultar colecciones</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="304"/>
        <source>Show Collections</source>
        <translation>Mostrar colecciones</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="131"/>
        <source>Organizer</source>
        <translation>Organizador</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="156"/>
        <source>Remove the selected collection</source>
        <translation>Eliminar la colección seleccionada</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="160"/>
        <source>Export the selected collections</source>
        <translation>Exportar las colecciones seleccionadas</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="102"/>
        <source>Click for the colors of this collection</source>
        <translation>Clic para ver los colores de esta colección</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="110"/>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQCMYKSlidersColorPicker.h" line="10"/>
        <source>CMYK Sliders</source>
        <translation>Deslizadores CMYK</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="34"/>
        <source>Color wheel</source>
        <translation>Rueda de color</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="150"/>
        <source>Select White</source>
        <translation>Seleccionar blanco</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelPicker.h" line="16"/>
        <source>Color Wheel</source>
        <translation>Rueda de color</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="20"/>
        <source>Red</source>
        <translation>Rojo</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="22"/>
        <source>Green</source>
        <translation>Verde</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="24"/>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="26"/>
        <source>Cyan</source>
        <translation>Cian</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="28"/>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="30"/>
        <source>Yellow</source>
        <translation>Amarillo</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="34"/>
        <location filename="../src/ui/pickers/VQGrayscaleColorPicker.cpp" line="9"/>
        <source>Gray</source>
        <translation>Gris</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="36"/>
        <source>Hue</source>
        <translation>Tono</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="38"/>
        <source>Saturation</source>
        <translation>Saturación</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQGrayscaleColorPicker.h" line="10"/>
        <source>Grayscale</source>
        <translation>Escala de grises</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBColorPicker.h" line="10"/>
        <source>HSB Sliders</source>
        <translation>Deslizadores HSB</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.cpp" line="37"/>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.h" line="16"/>
        <source>Color Square</source>
        <translation>Cuadro de color</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQRGBSlidersColorPicker.h" line="10"/>
        <source>RGB Sliders</source>
        <translation>Deslizadores RGB</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="53"/>
        <source>Type shortcut</source>
        <translation>Pulse el atajo</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="56"/>
        <source>Click to record shortcut</source>
        <translation>Clic para grabar atajo</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="70"/>
        <source>Global shortcut</source>
        <translation>Atajo global</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="78"/>
        <source>Use old shortcut</source>
        <translation>Usar el atajo anterior</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="15"/>
        <source>The key combination %@ can&apos;t be used!</source>
        <translation>¡No se puede usar la combinación de teclas %@!</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="51"/>
        <source>it&apos;s already used</source>
        <translation>ya está en uso</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="53"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because %@.</source>
        <translation>No se puede usar la combinación de teclas «%@» porque %@.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="63"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by a system-wide keyboard shortcut. (If you really want to use this key combination, most shortcuts can be changed in the keyboard settings of your desktop.)</source>
        <translation>No se puede usar la combinación de teclas «%@» porque ya la usa un atajo de teclado de todo el sistema. (Si realmente quiere usar esta combinación, la mayoría de los atajos se pueden cambiar en la configuración del teclado de su escritorio.)</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="74"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because its key has no name on the current keyboard layout.</source>
        <translation>No se puede usar la combinación de teclas «%@» porque su tecla no tiene nombre en la distribución de teclado actual.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="96"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by the menu item &quot;%@&quot;.</source>
        <translation>No se puede usar la combinación de teclas «%@» porque ya la usa el elemento de menú «%@».</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQLaunchAtLogin.cpp" line="120"/>
        <source>The folder %1 could not be made.</source>
        <translation>No se pudo crear la carpeta %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="32"/>
        <source>This desktop</source>
        <translation>Este escritorio</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>picks a color</source>
        <translation>captura un color</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>opens or closes the window</source>
        <translation>abre o cierra la ventana</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="41"/>
        <source>Asking %1 to bind the shortcut…</source>
        <translation>Pidiendo a %1 que asigne el atajo…</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="45"/>
        <source>%1 bound the shortcut; its keyboard settings show the keys.</source>
        <translation>%1 asignó el atajo; su configuración del teclado muestra las teclas.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="46"/>
        <source>%1 bound the shortcut to %2.</source>
        <translation>%1 asignó el atajo a %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="49"/>
        <source>%1 did not bind the shortcut (%2). In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <translation>%1 no asignó el atajo (%2). En su configuración del teclado, asigne el primer comando a una tecla para capturar un color, o el segundo para abrir la ventana:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="57"/>
        <source>%1 binds no global shortcut for programs%2. In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <extracomment>%1 is the desktop&apos;s name; %2 is empty or the reason in parentheses, with a space before it.</extracomment>
        <translation>%1 no asigna atajos globales para programas%2. En su configuración del teclado, asigne el primer comando a una tecla para capturar un color, o el segundo para abrir la ventana:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="59"/>
        <source>Hexadecimal: FF8000</source>
        <translation>Hexadecimal: FF8000</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="60"/>
        <source>Hexadecimal: #FF8000</source>
        <translation>Hexadecimal: #FF8000</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="89"/>
        <source>Vellico Preferences</source>
        <translation>Preferencias de Vellico</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="200"/>
        <source>Synchronize through a shared folder</source>
        <translation>Sincronizar mediante una carpeta compartida</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="205"/>
        <source>No folder chosen</source>
        <translation>Sin carpeta</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="206"/>
        <source>Shared folder</source>
        <translation>Carpeta compartida</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="207"/>
        <source>Choose...</source>
        <translation>Elegir...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="239"/>
        <source>Global shortcut:</source>
        <translation>Atajo global:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="245"/>
        <source>Copy format:</source>
        <translation>Formato de copia:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="250"/>
        <source>Alternate format:</source>
        <translation>Formato alternativo:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="254"/>
        <source>Your formats...</source>
        <translation>Sus formatos...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="258"/>
        <source>Hexadecimal and CSS in lower case</source>
        <translation>Hexadecimal y CSS en minúsculas</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Crosshair</source>
        <translation>Cruz</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Circle</source>
        <translation>Círculo</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="270"/>
        <source>Cursor on the wheel:</source>
        <translation>Cursor en la rueda:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="283"/>
        <source>Bring Vellico to the front when picking from the screen</source>
        <translation>Traer Vellico al frente al capturar de la pantalla</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="288"/>
        <source>Remember recent colors</source>
        <translation>Recordar colores recientes</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="291"/>
        <source>How many recent colors are kept</source>
        <translation>Cuántos colores recientes se guardan</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="292"/>
        <source>Keep:</source>
        <translation>Guardar:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="294"/>
        <source>Clear</source>
        <translation>Limpiar</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="295"/>
        <source>Forget the recent colors now</source>
        <translation>Olvidar ahora los colores recientes</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="304"/>
        <source>Launch at login</source>
        <translation>Abrir al iniciar sesión</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="307"/>
        <source>Write a debug log</source>
        <translation>Registro de depuración</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="308"/>
        <source>Show the log file</source>
        <translation>Mostrar el registro</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="318"/>
        <source>Done</source>
        <translation>Hecho</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="378"/>
        <source>No global shortcut in this session: %1</source>
        <translation>Sin atajo global en esta sesión: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="439"/>
        <source>Command</source>
        <translation>Comando</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="442"/>
        <source>Copy the command</source>
        <translation>Copiar el comando</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="627"/>
        <source>Vellico could not be added to the programs started at login.</source>
        <translation>No se pudo añadir Vellico a los programas que se abren al iniciar sesión.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="629"/>
        <source>Vellico could not be removed from the programs started at login.</source>
        <translation>No se pudo quitar Vellico de los programas que se abren al iniciar sesión.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="643"/>
        <source>Choose the shared folder</source>
        <translation>Elegir la carpeta compartida</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="655"/>
        <source>This folder can&apos;t be used for synchronization.</source>
        <translation>Esta carpeta no se puede usar para sincronizar.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="27"/>
        <source>The folder &quot;%1&quot; does not exist. Choose a folder that is there, for example one your sync tool keeps alike on all your computers.</source>
        <translation>La carpeta «%1» no existe. Elija una carpeta que exista, por ejemplo una que su herramienta de sincronización mantenga igual en todos sus equipos.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="31"/>
        <source>&quot;%1&quot; is a file, not a folder. Choose the folder your copies should go to.</source>
        <translation>«%1» es un archivo, no una carpeta. Elija la carpeta donde deben ir sus copias.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="34"/>
        <source>Vellico cannot write into the folder &quot;%1&quot;. Choose a folder you may write to.</source>
        <translation>Vellico no puede escribir en la carpeta «%1». Elija una carpeta en la que pueda escribir.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="42"/>
        <source>Choose the shared folder to synchronize.</source>
        <translation>Elija la carpeta compartida que se sincronizará.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="45"/>
        <source>This computer has no identity to name its copy after: nothing will be written.</source>
        <translation>Este equipo no tiene una identidad con la que nombrar su copia: no se escribirá nada.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="46"/>
        <source>This computer&apos;s copy: %1</source>
        <translation>Copia de este equipo: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="23"/>
        <source>Your Copy Formats</source>
        <translation>Sus formatos de copia</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="36"/>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="43"/>
        <source>Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="45"/>
        <source>Down</source>
        <translation>Bajar</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="57"/>
        <source>Name:</source>
        <translation>Nombre:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="58"/>
        <source>Template:</source>
        <translation>Plantilla:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="64"/>
        <source>Placeholders: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1), and the channels of hsl, hwb, oklch, oklab, lab, lch and p3, such as {oklch.l}; &quot;:3&quot; gives 3 decimals; {{ and }} are braces.</source>
        <translation>Marcadores: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1) y los canales de hsl, hwb, oklch, oklab, lab, lch y p3, como {oklch.l}; «:3» da 3 decimales; {{ y }} son llaves.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="74"/>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="141"/>
        <source>Orange copies as: %1</source>
        <translation>El naranja se copia como: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="146"/>
        <source>Format %1</source>
        <translation>Formato %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="178"/>
        <source>The format needs a name.</source>
        <translation>El formato necesita un nombre.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="180"/>
        <source>&quot;%1&quot;: %2</source>
        <translation>«%1»: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="52"/>
        <source>Matching colors</source>
        <translation>Colores coincidentes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="55"/>
        <source>Find a color by name or value</source>
        <translation>Buscar un color por nombre o valor</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="56"/>
        <source>Find Color</source>
        <translation>Buscar color</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="238"/>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="239"/>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="393"/>
        <source>Contrast against %1: drop a color here, or click for more</source>
        <translation>Contraste con %1: suelte un color aquí o haga clic para más opciones</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="394"/>
        <source>Color to contrast against: %1</source>
        <translation>Color de contraste: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="432"/>
        <source>Pick from Screen</source>
        <translation>Capturar de la pantalla</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="436"/>
        <source>White</source>
        <translation>Blanco</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="32"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="438"/>
        <source>Black</source>
        <translation>Negro</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="448"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="458"/>
        <source>%n more not shown</source>
        <translation>
            <numerusform>%n más sin mostrar</numerusform>
            <numerusform>%n más sin mostrar</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="463"/>
        <source>Copy Contrast Summary</source>
        <translation>Copiar resumen del contraste</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>passes</source>
        <translation>cumple</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>fails</source>
        <translation>no cumple</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="96"/>
        <source>Contrast ratio of %1 and %2 (WCAG 2.2): %3</source>
        <translation>Relación de contraste entre %1 y %2 (WCAG 2.2): %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="118"/>
        <source>large text</source>
        <translation>texto grande</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="118"/>
        <source>normal text</source>
        <translation>texto normal</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="121"/>
        <source>%1 %2: %3 (needs %4)</source>
        <translation>%1 %2: %3 (requiere %4)</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="138"/>
        <source>APCA lightness contrast of %1 as text on %2: Lc %3</source>
        <translation>Contraste de luminosidad APCA de %1 como texto sobre %2: Lc %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="159"/>
        <source>Passes AA for normal text on %1</source>
        <translation>Cumple AA para texto normal sobre %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="161"/>
        <source>Nearest color that passes AA for normal text on %1: %2 (%3); click to select it</source>
        <translation>Color más cercano que cumple AA para texto normal sobre %1: %2 (%3); haga clic para seleccionarlo</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="168"/>
        <source>%1 on %2: %3</source>
        <translation>%1 sobre %2: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="173"/>
        <source>nearest passing AA: %1</source>
        <translation>más cercano que cumple AA: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="181"/>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="26"/>
        <source>Recent Colors</source>
        <translation>Colores recientes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="7"/>
        <source>Save the recent colors as a collection</source>
        <translation>Guardar los colores recientes como colección</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="10"/>
        <source>Recent colors</source>
        <translation>Colores recientes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="21"/>
        <source>No recent colors yet</source>
        <translation>Aún no hay colores recientes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="9"/>
        <source>Add as collection</source>
        <translation>Añadir como colección</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="12"/>
        <source>Shades</source>
        <translation>Tonos</translation>
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
        <translation>Tono %1°, saturación %2 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="45"/>
        <source>Brightness %1%</source>
        <translation>Brillo %1 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="50"/>
        <source>Saturation %1%, brightness %2%</source>
        <translation>Saturación %1 %, brillo %2 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="58"/>
        <source>cyan %1%, magenta %2%, yellow %3%, black %4%</source>
        <translation>cian %1 %, magenta %2 %, amarillo %3 %, negro %4 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="67"/>
        <source>Color %1</source>
        <translation>Color %1</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, %2</source>
        <translation>Color %1, %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, close to %2</source>
        <translation>Color %1, cercano a %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="74"/>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="28"/>
        <source>No color selected</source>
        <translation>Ningún color seleccionado</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="79"/>
        <source>%1, %n color(s)</source>
        <translation>
            <numerusform>%1, %n color</numerusform>
            <numerusform>%1, %n colores</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="84"/>
        <source>%1 (%2 of %3)</source>
        <translation>%1 (%2 de %3)</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="89"/>
        <source>%1, sample %2</source>
        <translation>%1, muestra %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQSwatchToolRow.cpp" line="147"/>
        <source>The collection was not added.</source>
        <translation>No se añadió la colección.</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="68"/>
        <source>Do not show this message again</source>
        <translation>No volver a mostrar este mensaje</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="151"/>
        <source>Vellico couldn&apos;t show the log file: no file manager is set up on this desktop.</source>
        <translation>Vellico no pudo mostrar el archivo de registro: no hay ningún gestor de archivos configurado en este escritorio.</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQColorOverviewView.cpp" line="13"/>
        <source>Color under the pointer</source>
        <translation>Color bajo el puntero</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQMagnifierLoupeWindow.cpp" line="34"/>
        <source>Loupe</source>
        <translation>Lupa</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenPreviewView.cpp" line="54"/>
        <source>Magnifier</source>
        <translation>Ampliación</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQBrightnessSlider.cpp" line="23"/>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="40"/>
        <source>Brightness</source>
        <translation>Brillo</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorPickerChooserPopUpButton.cpp" line="11"/>
        <source>Color picker</source>
        <translation>Selector de colores</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQSaturationBrightnessView.cpp" line="17"/>
        <source>Saturation and brightness</source>
        <translation>Saturación y brillo</translation>
    </message>
</context>
</TS>
