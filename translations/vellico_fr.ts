<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
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
        <translation>À propos de Vellico</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="36"/>
        <location filename="../src/app/VQWindowController.cpp" line="263"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="137"/>
        <source>Pick Color from Screen</source>
        <translation>Prélever une couleur à l&apos;écran</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="37"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="194"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="15"/>
        <source>New Collection</source>
        <translation>Nouvelle collection</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="38"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="17"/>
        <source>Find Color...</source>
        <translation>Rechercher une couleur...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="39"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="13"/>
        <source>Copy Color Name</source>
        <translation>Copier le nom de la couleur</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="40"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="18"/>
        <source>Preferences...</source>
        <translation>Préférences...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="41"/>
        <source>Import ACO file...</source>
        <translation>Importer un fichier ACO...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="42"/>
        <source>Import ASE file...</source>
        <translation>Importer un fichier ASE...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="43"/>
        <source>Import CLR file...</source>
        <translation>Importer un fichier CLR...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="44"/>
        <source>Import GPL file...</source>
        <translation>Importer un fichier GPL...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="45"/>
        <source>Send Feedback...</source>
        <translation>Envoyer un commentaire...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="46"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="19"/>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="47"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="19"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="20"/>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="177"/>
        <location filename="../src/parsers/VQImportCommands.cpp" line="30"/>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="211"/>
        <source>A color picker and swatch manager for the desktop.</source>
        <translation>Un sélecteur de couleurs et gestionnaire d&apos;échantillons pour le bureau.</translation>
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
        <translation>Vellico n&apos;a pas pu ouvrir le guide de l&apos;utilisateur&#xa0;: aucun navigateur web n&apos;est configuré sur ce bureau.</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="251"/>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="152"/>
        <source>Copy Path</source>
        <translation>Copier le chemin</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="258"/>
        <source>Vellico couldn&apos;t start a mail program: none is set up on this desktop. Please write to this address:</source>
        <translation>Vellico n&apos;a pas pu lancer de logiciel de messagerie&#xa0;: aucun n&apos;est configuré sur ce bureau. Veuillez écrire à cette adresse&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="260"/>
        <source>Copy Address</source>
        <translation>Copier l&apos;adresse</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="23"/>
        <source>Vellico cannot write to the folder where the library should be saved.</source>
        <translation>Vellico ne peut pas écrire dans le dossier où la bibliothèque doit être enregistrée.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="24"/>
        <source>Please, hold down the Alt key while launching Vellico to choose a different library.</source>
        <translation>Maintenez la touche Alt enfoncée au lancement de Vellico pour choisir une autre bibliothèque.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="29"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="45"/>
        <source>Vellico couldn&apos;t open the swatch library.</source>
        <translation>Vellico n&apos;a pas pu ouvrir la bibliothèque d&apos;échantillons.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="30"/>
        <source>The library may be corrupted or could be from a future release of Vellico.</source>
        <translation>La bibliothèque est peut-être endommagée ou provient d&apos;une version plus récente de Vellico.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="31"/>
        <source>Overwrite</source>
        <translation>Écraser</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="15"/>
        <source>No system tray is running: add one (on GNOME, the AppIndicator extension) and restart Vellico to put its icon there.</source>
        <translation>Aucune zone de notification n&apos;est active&#xa0;: ajoutez-en une (sous GNOME, l&apos;extension AppIndicator) et relancez Vellico pour y placer son icône.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="24"/>
        <source>This desktop lets Vellico neither read the screen nor bind a key: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>Ce bureau ne permet à Vellico ni de lire l&apos;écran ni d&apos;associer une touche&#xa0;: collez une couleur avec Ctrl+V, ou faites un clic droit sur l&apos;affichage de la couleur pour en saisir une.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="27"/>
        <source>This desktop does not let Vellico read the screen: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>Ce bureau ne permet pas à Vellico de lire l&apos;écran&#xa0;: collez une couleur avec Ctrl+V, ou faites un clic droit sur l&apos;affichage de la couleur pour en saisir une.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="30"/>
        <source>This desktop binds no global shortcut for Vellico: bind &quot;vellico --pick&quot; to a key in its keyboard settings (the preferences show how).</source>
        <translation>Ce bureau ne propose pas de raccourci global à Vellico&#xa0;: associez «&#xa0;vellico --pick&#xa0;» à une touche dans ses paramètres du clavier (les préférences expliquent comment).</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="339"/>
        <source>Enter a hex, HTML or CSS color string.</source>
        <translation>Saisissez une couleur hexadécimale, HTML ou CSS.</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="343"/>
        <source>Vellico accepts strings in these formats: 
• (#)RRGGBB (e.g. #EE11EE, #E1E or EE11EE, E1E)
• CSS rgb(r,g,b) and rgba(r,g,b,a)
• basic HTML colors (e.g. black, white)
• every CSS color: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), color() and the named colors (e.g. cornflowerblue).</source>
        <translation>Vellico accepte les valeurs dans ces formats&#xa0;: 
• (#)RRGGBB (p. ex. #EE11EE, #E1E ou EE11EE, E1E)
• CSS rgb(r,g,b) et rgba(r,g,b,a)
• couleurs HTML de base (p. ex. black, white)
• toute couleur CSS&#xa0;: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), color() et les couleurs nommées (p. ex. cornflowerblue).</translation>
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
        <translation>Annuler</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="364"/>
        <source>Vellico couldn&apos;t parse the entered hex value.</source>
        <translation>Vellico n&apos;a pas pu interpréter la valeur hexadécimale saisie.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="32"/>
        <source>Cannot read the library version number.</source>
        <translation>Impossible de lire le numéro de version de la bibliothèque.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="33"/>
        <source>It was created by a newer version of Vellico.</source>
        <translation>Elle a été créée par une version plus récente de Vellico.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="566"/>
        <source>Waiting for another program to finish with the library %1…</source>
        <translation>En attente qu&apos;un autre programme libère la bibliothèque %1…</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="599"/>
        <source>Another program replaced the library with a file that Vellico cannot merge (%1). That file was kept as “%2”; Vellico saved its own library in its place.</source>
        <translation>Un autre programme a remplacé la bibliothèque par un fichier que Vellico ne peut pas fusionner (%1). Ce fichier a été conservé sous le nom «&#xa0;%2&#xa0;»&#xa0;; Vellico a enregistré sa propre bibliothèque à sa place.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="606"/>
        <source>Another program replaced the library %1 with a file that Vellico cannot merge (%2), and it could not be set aside. Vellico will not save over it: move it away.</source>
        <translation>Un autre programme a remplacé la bibliothèque %1 par un fichier que Vellico ne peut pas fusionner (%2), et il n&apos;a pas pu être mis de côté. Vellico ne l&apos;écrasera pas&#xa0;: déplacez-le.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="625"/>
        <source>it cannot be read</source>
        <translation>il est illisible</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="632"/>
        <source>it was written by another version of Vellico</source>
        <translation>il a été écrit par une autre version de Vellico</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="647"/>
        <source>Vellico did not save the library: %1. The file on disk is unchanged; remove some colors or collections so that it can be saved again.</source>
        <translation>Vellico n&apos;a pas enregistré la bibliothèque&#xa0;: %1. Le fichier sur le disque est inchangé&#xa0;; supprimez des couleurs ou des collections pour pouvoir l&apos;enregistrer à nouveau.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="45"/>
        <source>Choose Vellico library.</source>
        <translation>Choisissez une bibliothèque Vellico.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="46"/>
        <source>Vellico needs to store its information somewhere.</source>
        <translation>Vellico doit enregistrer ses données quelque part.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="51"/>
        <source>Choose Library...</source>
        <translation>Choisir une bibliothèque...</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="63"/>
        <source>Create Library...</source>
        <translation>Créer une bibliothèque...</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="56"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="68"/>
        <source>Libraries</source>
        <translation>Bibliothèques</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="66"/>
        <source>Vellico Library</source>
        <translation>Bibliothèque Vellico</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <source>Vellico couldn&apos;t create the library.</source>
        <translation>Vellico n&apos;a pas pu créer la bibliothèque.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="121"/>
        <source>Custom library wasn&apos;t found!</source>
        <translation>Bibliothèque personnalisée introuvable&#xa0;!</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="122"/>
        <source>Vellico will use the default library instead.</source>
        <translation>Vellico utilisera la bibliothèque par défaut à la place.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQACOParser.cpp" line="124"/>
        <source>Imported from ACO</source>
        <translation>Importé depuis ACO</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQASEParser.cpp" line="166"/>
        <location filename="../src/parsers/VQASEParser.cpp" line="180"/>
        <location filename="../src/parsers/VQGPLParser.cpp" line="186"/>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="200"/>
        <source>Untitled Collection</source>
        <translation>Collection sans titre</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="32"/>
        <source>Swatch files</source>
        <translation>Fichiers d&apos;échantillons</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="49"/>
        <source>The file might be corrupted.</source>
        <translation>Le fichier est peut-être endommagé.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="50"/>
        <source>No colors found in the file!</source>
        <translation>Aucune couleur trouvée dans le fichier&#xa0;!</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="74"/>
        <source>Some names were changed on the way in.</source>
        <translation>Certains noms ont été modifiés à l&apos;importation.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="75"/>
        <source>Some rows of the file were not imported.</source>
        <translation>Certaines lignes du fichier n&apos;ont pas été importées.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="101"/>
        <source>The file was not imported.</source>
        <translation>Le fichier n&apos;a pas été importé.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="303"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="117"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="209"/>
        <source>Please, enter a new name for the color:</source>
        <translation>Saisissez un nouveau nom pour la couleur&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="306"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="120"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="154"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="212"/>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="117"/>
        <source>The pick through the desktop portal was ended before it answered.</source>
        <translation>Le prélèvement via le portail du bureau a été interrompu avant sa réponse.</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="118"/>
        <source>The desktop portal&apos;s pick was cancelled.</source>
        <translation>Le prélèvement du portail du bureau a été annulé.</translation>
    </message>
    <message>
        <location filename="../src/platform/VQGlobalShortcutService.cpp" line="57"/>
        <source>The shortcut %1 is used by another program, so it does not start Vellico&apos;s loupe. Choose another shortcut in the preferences.</source>
        <translation>Le raccourci %1 est utilisé par un autre programme et ne lance donc pas la loupe de Vellico. Choisissez un autre raccourci dans les préférences.</translation>
    </message>
    <message>
        <location filename="../src/platform/x11/VQX11Desktop.cpp" line="432"/>
        <source>Vellico runs on XWayland, and an X11 program cannot read the screen of a Wayland session; start it without QT_QPA_PLATFORM=xcb</source>
        <translation>Vellico fonctionne sous XWayland, et un programme X11 ne peut pas lire l&apos;écran d&apos;une session Wayland&#xa0;; lancez-le sans QT_QPA_PLATFORM=xcb</translation>
    </message>
    <message>
        <location filename="../src/ui/collection_viewer/VQQuickLookController.cpp" line="108"/>
        <source>Swatch size</source>
        <translation>Taille des échantillons</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="80"/>
        <source>Collection</source>
        <translation>Collection</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="133"/>
        <source>Do you really want to remove this color from its collection?</source>
        <translation>Voulez-vous vraiment retirer cette couleur de sa collection&#xa0;?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="134"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="178"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="231"/>
        <source>This action cannot be undone.</source>
        <translation>Cette action est irréversible.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="135"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="179"/>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="37"/>
        <source>Remove</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="151"/>
        <source>Please, enter a new name for the color collection:</source>
        <translation>Saisissez un nouveau nom pour la collection&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="177"/>
        <source>Do you really want to remove this collection?</source>
        <translation>Voulez-vous vraiment supprimer cette collection&#xa0;?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="192"/>
        <source>Please, enter a name for the color collection:</source>
        <translation>Saisissez un nom pour la collection&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="195"/>
        <source>Create</source>
        <translation>Créer</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="230"/>
        <source>Are you sure you want to merge these two collections?</source>
        <translation>Voulez-vous vraiment fusionner ces deux collections&#xa0;?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="232"/>
        <source>Merge</source>
        <translation>Fusionner</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="285"/>
        <source>Export</source>
        <translation>Exporter</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="287"/>
        <source>Palette files</source>
        <translation>Fichiers de palette</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="292"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="453"/>
        <source>Collections</source>
        <translation>Collections</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="301"/>
        <source>The colors could not be exported.</source>
        <translation>Les couleurs n&apos;ont pas pu être exportées.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="315"/>
        <source>Some names were changed in the exported file.</source>
        <translation>Certains noms ont été modifiés dans le fichier exporté.</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="68"/>
        <source>Previous collections</source>
        <translation>Collections précédentes</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="69"/>
        <source>Next collections</source>
        <translation>Collections suivantes</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="303"/>
        <source>Drop a color here, import a palette, or Ctrl+N</source>
        <translation>Déposez une couleur, importez une palette ou Ctrl+N</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="336"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="345"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="227"/>
        <source>Rename...</source>
        <translation>Renommer...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="340"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="346"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="155"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="231"/>
        <source>Remove...</source>
        <translation>Supprimer...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="347"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="159"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="235"/>
        <source>Export...</source>
        <translation>Exporter...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="350"/>
        <source>Open Collection Viewer...</source>
        <translation>Aperçu de la collection...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="352"/>
        <source>Organize...</source>
        <translation>Organiser...</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenshotLoupe.cpp" line="183"/>
        <source>Vellico loupe</source>
        <translation>Loupe Vellico</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="9"/>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="441"/>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="10"/>
        <source>Copy Alternate Format</source>
        <translation>Copier au format alternatif</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="12"/>
        <source>Paste</source>
        <translation>Coller</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="21"/>
        <source>Close Window</source>
        <translation>Fermer la fenêtre</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="23"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="461"/>
        <source>Swap with Selection</source>
        <translation>Échanger avec la sélection</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="53"/>
        <source>Click to copy; right click to type a color</source>
        <translation>Cliquez pour copier&#xa0;; clic droit pour saisir une couleur</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="54"/>
        <source>Selected color</source>
        <translation>Couleur sélectionnée</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="308"/>
        <source>Click to copy the name</source>
        <translation>Cliquez pour copier le nom</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="318"/>
        <source>Copied “%1”</source>
        <translation>«&#xa0;%1&#xa0;» copié</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="142"/>
        <source>Preferences, import and more</source>
        <translation>Préférences, importation et plus</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="143"/>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="168"/>
        <source>Show or hide the collections</source>
        <translation>Afficher ou masquer les collections</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="169"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="303"/>
        <source>Hide Collections</source>
        <translation>Masquer les collections</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="304"/>
        <source>Show Collections</source>
        <translation>Afficher les collections</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="131"/>
        <source>Organizer</source>
        <translation>Gestion des collections</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="156"/>
        <source>Remove the selected collection</source>
        <translation>Supprimer la collection sélectionnée</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="160"/>
        <source>Export the selected collections</source>
        <translation>Exporter les collections sélectionnées</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="102"/>
        <source>Click for the colors of this collection</source>
        <translation>Cliquez pour voir les couleurs de la collection</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="110"/>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQCMYKSlidersColorPicker.h" line="10"/>
        <source>CMYK Sliders</source>
        <translation>Curseurs CMYK</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="34"/>
        <source>Color wheel</source>
        <translation>Roue chromatique</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="150"/>
        <source>Select White</source>
        <translation>Sélectionner le blanc</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelPicker.h" line="16"/>
        <source>Color Wheel</source>
        <translation>Roue chromatique</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="20"/>
        <source>Red</source>
        <translation>Rouge</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="22"/>
        <source>Green</source>
        <translation>Vert</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="24"/>
        <source>Blue</source>
        <translation>Bleu</translation>
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
        <translation>Jaune</translation>
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
        <translation>Teinte</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="38"/>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQGrayscaleColorPicker.h" line="10"/>
        <source>Grayscale</source>
        <translation>Niveaux de gris</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBColorPicker.h" line="10"/>
        <source>HSB Sliders</source>
        <translation>Curseurs HSB</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.cpp" line="37"/>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.h" line="16"/>
        <source>Color Square</source>
        <translation>Carré de couleurs</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQRGBSlidersColorPicker.h" line="10"/>
        <source>RGB Sliders</source>
        <translation>Curseurs RGB</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="53"/>
        <source>Type shortcut</source>
        <translation>Tapez le raccourci</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="56"/>
        <source>Click to record shortcut</source>
        <translation>Définir un raccourci</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="70"/>
        <source>Global shortcut</source>
        <translation>Raccourci global</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="78"/>
        <source>Use old shortcut</source>
        <translation>Garder l&apos;ancien raccourci</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="15"/>
        <source>The key combination %@ can&apos;t be used!</source>
        <translation>La combinaison de touches %@ ne peut pas être utilisée&#xa0;!</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="51"/>
        <source>it&apos;s already used</source>
        <translation>elle est déjà utilisée</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="53"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because %@.</source>
        <translation>La combinaison de touches «&#xa0;%@&#xa0;» ne peut pas être utilisée car %@.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="63"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by a system-wide keyboard shortcut. (If you really want to use this key combination, most shortcuts can be changed in the keyboard settings of your desktop.)</source>
        <translation>La combinaison de touches «&#xa0;%@&#xa0;» ne peut pas être utilisée car elle est déjà utilisée par un raccourci clavier global. (Si vous tenez à utiliser cette combinaison, la plupart des raccourcis peuvent être modifiés dans les paramètres du clavier de votre bureau.)</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="74"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because its key has no name on the current keyboard layout.</source>
        <translation>La combinaison de touches «&#xa0;%@&#xa0;» ne peut pas être utilisée car sa touche n&apos;a pas de nom dans la disposition de clavier actuelle.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="96"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by the menu item &quot;%@&quot;.</source>
        <translation>La combinaison de touches «&#xa0;%@&#xa0;» ne peut pas être utilisée car elle est déjà utilisée par l&apos;élément de menu «&#xa0;%@&#xa0;».</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQLaunchAtLogin.cpp" line="120"/>
        <source>The folder %1 could not be made.</source>
        <translation>Le dossier %1 n&apos;a pas pu être créé.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="32"/>
        <source>This desktop</source>
        <translation>Ce bureau</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>picks a color</source>
        <translation>prélève une couleur</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>opens or closes the window</source>
        <translation>ouvre ou ferme la fenêtre</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="41"/>
        <source>Asking %1 to bind the shortcut…</source>
        <translation>%1 est invité à associer le raccourci…</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="45"/>
        <source>%1 bound the shortcut; its keyboard settings show the keys.</source>
        <translation>%1 a associé le raccourci&#xa0;; ses paramètres du clavier indiquent les touches.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="46"/>
        <source>%1 bound the shortcut to %2.</source>
        <translation>%1 a associé le raccourci à %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="49"/>
        <source>%1 did not bind the shortcut (%2). In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <translation>%1 n&apos;a pas associé le raccourci (%2). Dans ses paramètres du clavier, associez la première commande à une touche pour prélever une couleur, ou la seconde pour ouvrir la fenêtre&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="57"/>
        <source>%1 binds no global shortcut for programs%2. In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <extracomment>%1 is the desktop&apos;s name; %2 is empty or the reason in parentheses, with a space before it.</extracomment>
        <translation>%1 ne propose pas de raccourcis globaux aux programmes%2. Dans ses paramètres du clavier, associez la première commande à une touche pour prélever une couleur, ou la seconde pour ouvrir la fenêtre&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="59"/>
        <source>Hexadecimal: FF8000</source>
        <translation>Hexadécimal&#xa0;: FF8000</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="60"/>
        <source>Hexadecimal: #FF8000</source>
        <translation>Hexadécimal&#xa0;: #FF8000</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="89"/>
        <source>Vellico Preferences</source>
        <translation>Préférences de Vellico</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="200"/>
        <source>Synchronize through a shared folder</source>
        <translation>Synchroniser via un dossier partagé</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="205"/>
        <source>No folder chosen</source>
        <translation>Aucun dossier choisi</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="206"/>
        <source>Shared folder</source>
        <translation>Dossier partagé</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="207"/>
        <source>Choose...</source>
        <translation>Choisir...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="239"/>
        <source>Global shortcut:</source>
        <translation>Raccourci global&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="245"/>
        <source>Copy format:</source>
        <translation>Format de copie&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="250"/>
        <source>Alternate format:</source>
        <translation>Format alternatif&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="254"/>
        <source>Your formats...</source>
        <translation>Vos formats...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="258"/>
        <source>Hexadecimal and CSS in lower case</source>
        <translation>Hexadécimal et CSS en minuscules</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Crosshair</source>
        <translation>Réticule</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Circle</source>
        <translation>Cercle</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="270"/>
        <source>Cursor on the wheel:</source>
        <translation>Curseur sur la roue&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="283"/>
        <source>Bring Vellico to the front when picking from the screen</source>
        <translation>Mettre Vellico au premier plan lors d&apos;un prélèvement à l&apos;écran</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="288"/>
        <source>Remember recent colors</source>
        <translation>Mémoriser les couleurs récentes</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="291"/>
        <source>How many recent colors are kept</source>
        <translation>Nombre de couleurs récentes conservées</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="292"/>
        <source>Keep:</source>
        <translation>Garder&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="294"/>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="295"/>
        <source>Forget the recent colors now</source>
        <translation>Oublier maintenant les couleurs récentes</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="304"/>
        <source>Launch at login</source>
        <translation>Lancer à la connexion</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="307"/>
        <source>Write a debug log</source>
        <translation>Écrire un journal de débogage</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="308"/>
        <source>Show the log file</source>
        <translation>Afficher le fichier journal</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="318"/>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="378"/>
        <source>No global shortcut in this session: %1</source>
        <translation>Aucun raccourci global dans cette session&#xa0;: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="439"/>
        <source>Command</source>
        <translation>Commande</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="442"/>
        <source>Copy the command</source>
        <translation>Copier la commande</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="627"/>
        <source>Vellico could not be added to the programs started at login.</source>
        <translation>Vellico n&apos;a pas pu être ajouté aux programmes lancés à la connexion.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="629"/>
        <source>Vellico could not be removed from the programs started at login.</source>
        <translation>Vellico n&apos;a pas pu être retiré des programmes lancés à la connexion.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="643"/>
        <source>Choose the shared folder</source>
        <translation>Choisir le dossier partagé</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="655"/>
        <source>This folder can&apos;t be used for synchronization.</source>
        <translation>Ce dossier ne peut pas servir à la synchronisation.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="27"/>
        <source>The folder &quot;%1&quot; does not exist. Choose a folder that is there, for example one your sync tool keeps alike on all your computers.</source>
        <translation>Le dossier «&#xa0;%1&#xa0;» n&apos;existe pas. Choisissez un dossier existant, par exemple un dossier que votre outil de synchronisation garde identique sur tous vos ordinateurs.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="31"/>
        <source>&quot;%1&quot; is a file, not a folder. Choose the folder your copies should go to.</source>
        <translation>«&#xa0;%1&#xa0;» est un fichier, pas un dossier. Choisissez le dossier où placer vos copies.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="34"/>
        <source>Vellico cannot write into the folder &quot;%1&quot;. Choose a folder you may write to.</source>
        <translation>Vellico ne peut pas écrire dans le dossier «&#xa0;%1&#xa0;». Choisissez un dossier où vous pouvez écrire.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="42"/>
        <source>Choose the shared folder to synchronize.</source>
        <translation>Choisissez le dossier partagé à synchroniser.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="45"/>
        <source>This computer has no identity to name its copy after: nothing will be written.</source>
        <translation>Cet ordinateur n&apos;a pas d&apos;identité pour nommer sa copie&#xa0;: rien ne sera écrit.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="46"/>
        <source>This computer&apos;s copy: %1</source>
        <translation>Copie de cet ordinateur&#xa0;: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="23"/>
        <source>Your Copy Formats</source>
        <translation>Vos formats de copie</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="36"/>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="43"/>
        <source>Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="45"/>
        <source>Down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="57"/>
        <source>Name:</source>
        <translation>Nom&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="58"/>
        <source>Template:</source>
        <translation>Modèle&#xa0;:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="64"/>
        <source>Placeholders: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1), and the channels of hsl, hwb, oklch, oklab, lab, lch and p3, such as {oklch.l}; &quot;:3&quot; gives 3 decimals; {{ and }} are braces.</source>
        <translation>Variables&#xa0;: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1), et les canaux de hsl, hwb, oklch, oklab, lab, lch et p3, comme {oklch.l}&#xa0;; «&#xa0;:3&#xa0;» donne 3 décimales&#xa0;; {{ et }} donnent des accolades.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="74"/>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="141"/>
        <source>Orange copies as: %1</source>
        <translation>Copie de l&apos;orange&#xa0;: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="146"/>
        <source>Format %1</source>
        <translation>Format %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="178"/>
        <source>The format needs a name.</source>
        <translation>Le format doit avoir un nom.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="180"/>
        <source>&quot;%1&quot;: %2</source>
        <translation>«&#xa0;%1&#xa0;»&#xa0;: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="52"/>
        <source>Matching colors</source>
        <translation>Couleurs correspondantes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="55"/>
        <source>Find a color by name or value</source>
        <translation>Rechercher par nom ou valeur</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="56"/>
        <source>Find Color</source>
        <translation>Rechercher une couleur</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="238"/>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="239"/>
        <source>Large</source>
        <translation>Grand</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="393"/>
        <source>Contrast against %1: drop a color here, or click for more</source>
        <translation>Contraste avec %1&#xa0;: déposez une couleur ici ou cliquez pour plus de choix</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="394"/>
        <source>Color to contrast against: %1</source>
        <translation>Couleur de référence du contraste&#xa0;: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="432"/>
        <source>Pick from Screen</source>
        <translation>Prélever à l&apos;écran</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="436"/>
        <source>White</source>
        <translation>Blanc</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="32"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="438"/>
        <source>Black</source>
        <translation>Noir</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="448"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="458"/>
        <source>%n more not shown</source>
        <translation>
            <numerusform>%n autre non affichée</numerusform>
            <numerusform>%n autres non affichées</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="463"/>
        <source>Copy Contrast Summary</source>
        <translation>Copier le résumé du contraste</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>passes</source>
        <translation>conforme</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>fails</source>
        <translation>non conforme</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="96"/>
        <source>Contrast ratio of %1 and %2 (WCAG 2.2): %3</source>
        <translation>Rapport de contraste entre %1 et %2 (WCAG 2.2)&#xa0;: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="118"/>
        <source>large text</source>
        <translation>grand texte</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="118"/>
        <source>normal text</source>
        <translation>texte normal</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="121"/>
        <source>%1 %2: %3 (needs %4)</source>
        <translation>%1 %2&#xa0;: %3 (requis&#xa0;: %4)</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="138"/>
        <source>APCA lightness contrast of %1 as text on %2: Lc %3</source>
        <translation>Contraste de luminosité APCA de %1 en texte sur %2&#xa0;: Lc %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="159"/>
        <source>Passes AA for normal text on %1</source>
        <translation>Conforme AA pour texte normal sur %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="161"/>
        <source>Nearest color that passes AA for normal text on %1: %2 (%3); click to select it</source>
        <translation>Couleur la plus proche conforme AA pour texte normal sur %1&#xa0;: %2 (%3)&#xa0;; cliquez pour la sélectionner</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="168"/>
        <source>%1 on %2: %3</source>
        <translation>%1 sur %2&#xa0;: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="173"/>
        <source>nearest passing AA: %1</source>
        <translation>plus proche conforme AA&#xa0;: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="181"/>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="26"/>
        <source>Recent Colors</source>
        <translation>Couleurs récentes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="7"/>
        <source>Save the recent colors as a collection</source>
        <translation>Enregistrer les couleurs récentes comme collection</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="10"/>
        <source>Recent colors</source>
        <translation>Couleurs récentes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="21"/>
        <source>No recent colors yet</source>
        <translation>Aucune couleur récente</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="9"/>
        <source>Add as collection</source>
        <translation>Ajouter comme collection</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="12"/>
        <source>Shades</source>
        <translation>Nuances</translation>
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
        <translation>Teinte %1°, saturation %2 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="45"/>
        <source>Brightness %1%</source>
        <translation>Luminosité %1 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="50"/>
        <source>Saturation %1%, brightness %2%</source>
        <translation>Saturation %1 %, luminosité %2 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="58"/>
        <source>cyan %1%, magenta %2%, yellow %3%, black %4%</source>
        <translation>cyan %1 %, magenta %2 %, jaune %3 %, noir %4 %</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="67"/>
        <source>Color %1</source>
        <translation>Couleur %1</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, %2</source>
        <translation>Couleur %1, %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, close to %2</source>
        <translation>Couleur %1, proche de %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="74"/>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="28"/>
        <source>No color selected</source>
        <translation>Aucune couleur sélectionnée</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="79"/>
        <source>%1, %n color(s)</source>
        <translation>
            <numerusform>%1, %n couleur</numerusform>
            <numerusform>%1, %n couleurs</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="84"/>
        <source>%1 (%2 of %3)</source>
        <translation>%1 (%2 sur %3)</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="89"/>
        <source>%1, sample %2</source>
        <translation>%1, échantillon %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQSwatchToolRow.cpp" line="147"/>
        <source>The collection was not added.</source>
        <translation>La collection n&apos;a pas été ajoutée.</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="68"/>
        <source>Do not show this message again</source>
        <translation>Ne plus afficher ce message</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="151"/>
        <source>Vellico couldn&apos;t show the log file: no file manager is set up on this desktop.</source>
        <translation>Vellico n&apos;a pas pu afficher le fichier journal&#xa0;: aucun gestionnaire de fichiers n&apos;est configuré sur ce bureau.</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQColorOverviewView.cpp" line="13"/>
        <source>Color under the pointer</source>
        <translation>Couleur sous le pointeur</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQMagnifierLoupeWindow.cpp" line="34"/>
        <source>Loupe</source>
        <translation>Loupe</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenPreviewView.cpp" line="54"/>
        <source>Magnifier</source>
        <translation>Agrandissement</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQBrightnessSlider.cpp" line="23"/>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="40"/>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorPickerChooserPopUpButton.cpp" line="11"/>
        <source>Color picker</source>
        <translation>Sélecteur de couleurs</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQSaturationBrightnessView.cpp" line="17"/>
        <source>Saturation and brightness</source>
        <translation>Saturation et luminosité</translation>
    </message>
</context>
</TS>
