<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR" sourcelanguage="en">
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
        <translation>Sobre o Vellico</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="36"/>
        <location filename="../src/app/VQWindowController.cpp" line="263"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="137"/>
        <source>Pick Color from Screen</source>
        <translation>Capturar cor da tela</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="37"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="194"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="15"/>
        <source>New Collection</source>
        <translation>Nova coleção</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="38"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="17"/>
        <source>Find Color...</source>
        <translation>Localizar cor...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="39"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="13"/>
        <source>Copy Color Name</source>
        <translation>Copiar nome da cor</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="40"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="18"/>
        <source>Preferences...</source>
        <translation>Preferências...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="41"/>
        <source>Import ACO file...</source>
        <translation>Importar arquivo ACO...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="42"/>
        <source>Import ASE file...</source>
        <translation>Importar arquivo ASE...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="43"/>
        <source>Import CLR file...</source>
        <translation>Importar arquivo CLR...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="44"/>
        <source>Import GPL file...</source>
        <translation>Importar arquivo GPL...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="45"/>
        <source>Send Feedback...</source>
        <translation>Enviar comentários...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="46"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="19"/>
        <source>Help</source>
        <translation>Ajuda</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="47"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="19"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="20"/>
        <source>Quit</source>
        <translation>Sair</translation>
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
        <translation>Um seletor de cores e gerenciador de amostras para a área de trabalho.</translation>
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
        <translation>O Vellico não conseguiu abrir o guia do usuário: nenhum navegador web está configurado nesta área de trabalho.</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="251"/>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="152"/>
        <source>Copy Path</source>
        <translation>Copiar caminho</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="258"/>
        <source>Vellico couldn&apos;t start a mail program: none is set up on this desktop. Please write to this address:</source>
        <translation>O Vellico não conseguiu abrir um programa de e-mail: nenhum está configurado nesta área de trabalho. Escreva para este endereço:</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="260"/>
        <source>Copy Address</source>
        <translation>Copiar endereço</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="23"/>
        <source>Vellico cannot write to the folder where the library should be saved.</source>
        <translation>O Vellico não pode gravar na pasta onde a biblioteca deve ser salva.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="24"/>
        <source>Please, hold down the Alt key while launching Vellico to choose a different library.</source>
        <translation>Mantenha a tecla Alt pressionada ao iniciar o Vellico para escolher outra biblioteca.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="29"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="45"/>
        <source>Vellico couldn&apos;t open the swatch library.</source>
        <translation>O Vellico não conseguiu abrir a biblioteca de amostras.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="30"/>
        <source>The library may be corrupted or could be from a future release of Vellico.</source>
        <translation>A biblioteca pode estar corrompida ou ser de uma versão futura do Vellico.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="31"/>
        <source>Overwrite</source>
        <translation>Sobrescrever</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="15"/>
        <source>No system tray is running: add one (on GNOME, the AppIndicator extension) and restart Vellico to put its icon there.</source>
        <translation>Nenhuma bandeja do sistema está em execução: adicione uma (no GNOME, a extensão AppIndicator) e reinicie o Vellico para colocar o ícone dele lá.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="24"/>
        <source>This desktop lets Vellico neither read the screen nor bind a key: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>Esta área de trabalho não permite que o Vellico leia a tela nem atribua uma tecla: cole uma cor com Ctrl+V ou clique com o botão direito no valor para digitar uma.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="27"/>
        <source>This desktop does not let Vellico read the screen: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>Esta área de trabalho não permite que o Vellico leia a tela: cole uma cor com Ctrl+V ou clique com o botão direito no valor para digitar uma.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="30"/>
        <source>This desktop binds no global shortcut for Vellico: bind &quot;vellico --pick&quot; to a key in its keyboard settings (the preferences show how).</source>
        <translation>Esta área de trabalho não atribui atalhos globais ao Vellico: atribua “vellico --pick” a uma tecla nas configurações de teclado (as preferências mostram como).</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="339"/>
        <source>Enter a hex, HTML or CSS color string.</source>
        <translation>Digite uma cor em hexadecimal, HTML ou CSS.</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="343"/>
        <source>Vellico accepts strings in these formats: 
• (#)RRGGBB (e.g. #EE11EE, #E1E or EE11EE, E1E)
• CSS rgb(r,g,b) and rgba(r,g,b,a)
• basic HTML colors (e.g. black, white)
• every CSS color: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), color() and the named colors (e.g. cornflowerblue).</source>
        <translation>O Vellico aceita textos nestes formatos: 
• (#)RRGGBB (ex.: #EE11EE, #E1E ou EE11EE, E1E)
• CSS rgb(r,g,b) e rgba(r,g,b,a)
• cores HTML básicas (ex.: black, white)
• todas as cores CSS: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), color() e as cores com nome (ex.: cornflowerblue).</translation>
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
        <translation>O Vellico não conseguiu interpretar o valor hexadecimal digitado.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="32"/>
        <source>Cannot read the library version number.</source>
        <translation>Não é possível ler o número de versão da biblioteca.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="33"/>
        <source>It was created by a newer version of Vellico.</source>
        <translation>Ela foi criada por uma versão mais recente do Vellico.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="566"/>
        <source>Waiting for another program to finish with the library %1…</source>
        <translation>Aguardando outro programa terminar de usar a biblioteca %1…</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="599"/>
        <source>Another program replaced the library with a file that Vellico cannot merge (%1). That file was kept as “%2”; Vellico saved its own library in its place.</source>
        <translation>Outro programa substituiu a biblioteca por um arquivo que o Vellico não consegue mesclar (%1). Esse arquivo foi mantido como “%2”; o Vellico salvou a própria biblioteca no lugar dele.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="606"/>
        <source>Another program replaced the library %1 with a file that Vellico cannot merge (%2), and it could not be set aside. Vellico will not save over it: move it away.</source>
        <translation>Outro programa substituiu a biblioteca %1 por um arquivo que o Vellico não consegue mesclar (%2), e não foi possível colocá-lo de lado. O Vellico não vai salvar por cima dele: mova-o para outro lugar.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="625"/>
        <source>it cannot be read</source>
        <translation>não pode ser lido</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="632"/>
        <source>it was written by another version of Vellico</source>
        <translation>foi gravado por outra versão do Vellico</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="647"/>
        <source>Vellico did not save the library: %1. The file on disk is unchanged; remove some colors or collections so that it can be saved again.</source>
        <translation>O Vellico não salvou a biblioteca: %1. O arquivo no disco não foi alterado; remova algumas cores ou coleções para que ela possa ser salva de novo.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="45"/>
        <source>Choose Vellico library.</source>
        <translation>Escolha a biblioteca do Vellico.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="46"/>
        <source>Vellico needs to store its information somewhere.</source>
        <translation>O Vellico precisa armazenar suas informações em algum lugar.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="51"/>
        <source>Choose Library...</source>
        <translation>Escolher biblioteca...</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="63"/>
        <source>Create Library...</source>
        <translation>Criar biblioteca...</translation>
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
        <translation>Biblioteca do Vellico</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <source>Vellico couldn&apos;t create the library.</source>
        <translation>O Vellico não conseguiu criar a biblioteca.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="121"/>
        <source>Custom library wasn&apos;t found!</source>
        <translation>A biblioteca personalizada não foi encontrada!</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="122"/>
        <source>Vellico will use the default library instead.</source>
        <translation>O Vellico usará a biblioteca padrão no lugar dela.</translation>
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
        <translation>Coleção sem título</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="32"/>
        <source>Swatch files</source>
        <translation>Arquivos de amostras</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="49"/>
        <source>The file might be corrupted.</source>
        <translation>O arquivo pode estar corrompido.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="50"/>
        <source>No colors found in the file!</source>
        <translation>Nenhuma cor encontrada no arquivo!</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="74"/>
        <source>Some names were changed on the way in.</source>
        <translation>Alguns nomes foram alterados na importação.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="75"/>
        <source>Some rows of the file were not imported.</source>
        <translation>Algumas linhas do arquivo não foram importadas.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="101"/>
        <source>The file was not imported.</source>
        <translation>O arquivo não foi importado.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="303"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="117"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="209"/>
        <source>Please, enter a new name for the color:</source>
        <translation>Digite um novo nome para a cor:</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="306"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="120"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="154"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="212"/>
        <source>Rename</source>
        <translation>Renomear</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="117"/>
        <source>The pick through the desktop portal was ended before it answered.</source>
        <translation>A captura pelo portal da área de trabalho terminou antes de ele responder.</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="118"/>
        <source>The desktop portal&apos;s pick was cancelled.</source>
        <translation>A captura do portal da área de trabalho foi cancelada.</translation>
    </message>
    <message>
        <location filename="../src/platform/VQGlobalShortcutService.cpp" line="57"/>
        <source>The shortcut %1 is used by another program, so it does not start Vellico&apos;s loupe. Choose another shortcut in the preferences.</source>
        <translation>O atalho %1 está em uso por outro programa, então ele não abre a lupa do Vellico. Escolha outro atalho nas preferências.</translation>
    </message>
    <message>
        <location filename="../src/platform/x11/VQX11Desktop.cpp" line="432"/>
        <source>Vellico runs on XWayland, and an X11 program cannot read the screen of a Wayland session; start it without QT_QPA_PLATFORM=xcb</source>
        <translation>O Vellico está sendo executado no XWayland, e um programa X11 não consegue ler a tela de uma sessão Wayland; inicie-o sem QT_QPA_PLATFORM=xcb</translation>
    </message>
    <message>
        <location filename="../src/ui/collection_viewer/VQQuickLookController.cpp" line="108"/>
        <source>Swatch size</source>
        <translation>Tamanho da amostra</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="80"/>
        <source>Collection</source>
        <translation>Coleção</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="133"/>
        <source>Do you really want to remove this color from its collection?</source>
        <translation>Deseja mesmo remover esta cor da coleção?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="134"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="178"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="231"/>
        <source>This action cannot be undone.</source>
        <translation>Esta ação não pode ser desfeita.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="135"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="179"/>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="37"/>
        <source>Remove</source>
        <translation>Remover</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="151"/>
        <source>Please, enter a new name for the color collection:</source>
        <translation>Digite um novo nome para a coleção:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="177"/>
        <source>Do you really want to remove this collection?</source>
        <translation>Deseja mesmo remover esta coleção?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="192"/>
        <source>Please, enter a name for the color collection:</source>
        <translation>Digite um nome para a coleção:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="195"/>
        <source>Create</source>
        <translation>Criar</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="230"/>
        <source>Are you sure you want to merge these two collections?</source>
        <translation>Tem certeza de que deseja mesclar estas duas coleções?</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="232"/>
        <source>Merge</source>
        <translation>Mesclar</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="285"/>
        <source>Export</source>
        <translation>Exportar</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="287"/>
        <source>Palette files</source>
        <translation>Arquivos de paleta</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="292"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="453"/>
        <source>Collections</source>
        <translation>Coleções</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="301"/>
        <source>The colors could not be exported.</source>
        <translation>Não foi possível exportar as cores.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="315"/>
        <source>Some names were changed in the exported file.</source>
        <translation>Alguns nomes foram alterados no arquivo exportado.</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="68"/>
        <source>Previous collections</source>
        <translation>Coleções anteriores</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="69"/>
        <source>Next collections</source>
        <translation>Próximas coleções</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="303"/>
        <source>Drop a color here, import a palette, or Ctrl+N</source>
        <translation>Solte uma cor, importe uma paleta ou Ctrl+N</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="336"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="345"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="227"/>
        <source>Rename...</source>
        <translation>Renomear...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="340"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="346"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="155"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="231"/>
        <source>Remove...</source>
        <translation>Remover...</translation>
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
        <translation>Abrir visualizador de coleção...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="352"/>
        <source>Organize...</source>
        <translation>Organizar...</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenshotLoupe.cpp" line="183"/>
        <source>Vellico loupe</source>
        <translation>Lupa do Vellico</translation>
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
        <translation>Copiar em formato alternativo</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="12"/>
        <source>Paste</source>
        <translation>Colar</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="21"/>
        <source>Close Window</source>
        <translation>Fechar janela</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="23"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="461"/>
        <source>Swap with Selection</source>
        <translation>Trocar com a seleção</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="53"/>
        <source>Click to copy; right click to type a color</source>
        <translation>Clique para copiar; botão direito para digitar uma cor</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="54"/>
        <source>Selected color</source>
        <translation>Cor selecionada</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="308"/>
        <source>Click to copy the name</source>
        <translation>Clique para copiar o nome</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="318"/>
        <source>Copied “%1”</source>
        <translation>Copiado “%1”</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="142"/>
        <source>Preferences, import and more</source>
        <translation>Preferências, importação e mais</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="143"/>
        <source>Menu</source>
        <translation>Menu</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="168"/>
        <source>Show or hide the collections</source>
        <translation>Mostrar ou ocultar as coleções</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="169"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="303"/>
        <source>Hide Collections</source>
        <translation>Ocultar coleções</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="304"/>
        <source>Show Collections</source>
        <translation>Mostrar coleções</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="131"/>
        <source>Organizer</source>
        <translation>Organizador</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="156"/>
        <source>Remove the selected collection</source>
        <translation>Remover a coleção selecionada</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="160"/>
        <source>Export the selected collections</source>
        <translation>Exportar as coleções selecionadas</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="102"/>
        <source>Click for the colors of this collection</source>
        <translation>Clique para ver as cores desta coleção</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="110"/>
        <source>Title</source>
        <translation>Título</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQCMYKSlidersColorPicker.h" line="10"/>
        <source>CMYK Sliders</source>
        <translation>Controles CMYK</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="34"/>
        <source>Color wheel</source>
        <translation>Roda de cores</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="150"/>
        <source>Select White</source>
        <translation>Selecionar branco</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelPicker.h" line="16"/>
        <source>Color Wheel</source>
        <translation>Roda de cores</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="20"/>
        <source>Red</source>
        <translation>Vermelho</translation>
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
        <translation>Ciano</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="28"/>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="30"/>
        <source>Yellow</source>
        <translation>Amarelo</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="34"/>
        <location filename="../src/ui/pickers/VQGrayscaleColorPicker.cpp" line="9"/>
        <source>Gray</source>
        <translation>Cinza</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="36"/>
        <source>Hue</source>
        <translation>Matiz</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="38"/>
        <source>Saturation</source>
        <translation>Saturação</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQGrayscaleColorPicker.h" line="10"/>
        <source>Grayscale</source>
        <translation>Tons de cinza</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBColorPicker.h" line="10"/>
        <source>HSB Sliders</source>
        <translation>Controles HSB</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.cpp" line="37"/>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.h" line="16"/>
        <source>Color Square</source>
        <translation>Quadrado de cores</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQRGBSlidersColorPicker.h" line="10"/>
        <source>RGB Sliders</source>
        <translation>Controles RGB</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="53"/>
        <source>Type shortcut</source>
        <translation>Pressione o atalho</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="56"/>
        <source>Click to record shortcut</source>
        <translation>Clique para gravar atalho</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="70"/>
        <source>Global shortcut</source>
        <translation>Atalho global</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="78"/>
        <source>Use old shortcut</source>
        <translation>Usar o atalho anterior</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="15"/>
        <source>The key combination %@ can&apos;t be used!</source>
        <translation>A combinação de teclas %@ não pode ser usada!</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="51"/>
        <source>it&apos;s already used</source>
        <translation>ela já está em uso</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="53"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because %@.</source>
        <translation>A combinação de teclas “%@” não pode ser usada porque %@.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="63"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by a system-wide keyboard shortcut. (If you really want to use this key combination, most shortcuts can be changed in the keyboard settings of your desktop.)</source>
        <translation>A combinação de teclas “%@” não pode ser usada porque já está em uso por um atalho de teclado do sistema. (Se quiser mesmo usar esta combinação, a maioria dos atalhos pode ser alterada nas configurações de teclado da sua área de trabalho.)</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="74"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because its key has no name on the current keyboard layout.</source>
        <translation>A combinação de teclas “%@” não pode ser usada porque a tecla não tem nome no layout de teclado atual.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="96"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by the menu item &quot;%@&quot;.</source>
        <translation>A combinação de teclas “%@” não pode ser usada porque já está em uso pelo item de menu “%@”.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQLaunchAtLogin.cpp" line="120"/>
        <source>The folder %1 could not be made.</source>
        <translation>Não foi possível criar a pasta %1.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="32"/>
        <source>This desktop</source>
        <translation>Esta área de trabalho</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>picks a color</source>
        <translation>captura uma cor</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>opens or closes the window</source>
        <translation>abre ou fecha a janela</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="41"/>
        <source>Asking %1 to bind the shortcut…</source>
        <translation>Pedindo a %1 que atribua o atalho…</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="45"/>
        <source>%1 bound the shortcut; its keyboard settings show the keys.</source>
        <translation>%1 atribuiu o atalho; as configurações de teclado mostram as teclas.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="46"/>
        <source>%1 bound the shortcut to %2.</source>
        <translation>%1 atribuiu o atalho a %2.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="49"/>
        <source>%1 did not bind the shortcut (%2). In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <translation>%1 não atribuiu o atalho (%2). Nas configurações de teclado, atribua o primeiro comando a uma tecla para capturar uma cor, ou o segundo para abrir a janela:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="57"/>
        <source>%1 binds no global shortcut for programs%2. In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <extracomment>%1 is the desktop&apos;s name; %2 is empty or the reason in parentheses, with a space before it.</extracomment>
        <translation>%1 não atribui atalhos globais para programas%2. Nas configurações de teclado, atribua o primeiro comando a uma tecla para capturar uma cor, ou o segundo para abrir a janela:</translation>
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
        <translation>Preferências do Vellico</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="200"/>
        <source>Synchronize through a shared folder</source>
        <translation>Sincronizar por uma pasta compartilhada</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="205"/>
        <source>No folder chosen</source>
        <translation>Nenhuma pasta</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="206"/>
        <source>Shared folder</source>
        <translation>Pasta compartilhada</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="207"/>
        <source>Choose...</source>
        <translation>Escolher...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="239"/>
        <source>Global shortcut:</source>
        <translation>Atalho global:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="245"/>
        <source>Copy format:</source>
        <translation>Formato de cópia:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="250"/>
        <source>Alternate format:</source>
        <translation>Formato alternativo:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="254"/>
        <source>Your formats...</source>
        <translation>Seus formatos...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="258"/>
        <source>Hexadecimal and CSS in lower case</source>
        <translation>Hexadecimal e CSS em minúsculas</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Crosshair</source>
        <translation>Mira</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Circle</source>
        <translation>Círculo</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="270"/>
        <source>Cursor on the wheel:</source>
        <translation>Cursor na roda:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="283"/>
        <source>Bring Vellico to the front when picking from the screen</source>
        <translation>Trazer o Vellico para a frente ao capturar da tela</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="288"/>
        <source>Remember recent colors</source>
        <translation>Lembrar cores recentes</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="291"/>
        <source>How many recent colors are kept</source>
        <translation>Quantas cores recentes são mantidas</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="292"/>
        <source>Keep:</source>
        <translation>Manter:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="294"/>
        <source>Clear</source>
        <translation>Limpar</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="295"/>
        <source>Forget the recent colors now</source>
        <translation>Esquecer agora as cores recentes</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="304"/>
        <source>Launch at login</source>
        <translation>Abrir ao iniciar sessão</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="307"/>
        <source>Write a debug log</source>
        <translation>Registro de depuração</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="308"/>
        <source>Show the log file</source>
        <translation>Mostrar o registro</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="318"/>
        <source>Done</source>
        <translation>Concluído</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="378"/>
        <source>No global shortcut in this session: %1</source>
        <translation>Sem atalho global nesta sessão: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="439"/>
        <source>Command</source>
        <translation>Comando</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="442"/>
        <source>Copy the command</source>
        <translation>Copiar o comando</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="627"/>
        <source>Vellico could not be added to the programs started at login.</source>
        <translation>Não foi possível adicionar o Vellico aos programas abertos ao iniciar sessão.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="629"/>
        <source>Vellico could not be removed from the programs started at login.</source>
        <translation>Não foi possível remover o Vellico dos programas abertos ao iniciar sessão.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="643"/>
        <source>Choose the shared folder</source>
        <translation>Escolher a pasta compartilhada</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="655"/>
        <source>This folder can&apos;t be used for synchronization.</source>
        <translation>Esta pasta não pode ser usada para sincronização.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="27"/>
        <source>The folder &quot;%1&quot; does not exist. Choose a folder that is there, for example one your sync tool keeps alike on all your computers.</source>
        <translation>A pasta “%1” não existe. Escolha uma pasta que exista, por exemplo uma que sua ferramenta de sincronização mantenha igual em todos os seus computadores.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="31"/>
        <source>&quot;%1&quot; is a file, not a folder. Choose the folder your copies should go to.</source>
        <translation>“%1” é um arquivo, não uma pasta. Escolha a pasta para onde as cópias devem ir.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="34"/>
        <source>Vellico cannot write into the folder &quot;%1&quot;. Choose a folder you may write to.</source>
        <translation>O Vellico não pode gravar na pasta “%1”. Escolha uma pasta em que você possa gravar.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="42"/>
        <source>Choose the shared folder to synchronize.</source>
        <translation>Escolha a pasta compartilhada a sincronizar.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="45"/>
        <source>This computer has no identity to name its copy after: nothing will be written.</source>
        <translation>Este computador não tem uma identidade para dar nome à sua cópia: nada será gravado.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="46"/>
        <source>This computer&apos;s copy: %1</source>
        <translation>Cópia deste computador: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="23"/>
        <source>Your Copy Formats</source>
        <translation>Seus formatos de cópia</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="36"/>
        <source>Add</source>
        <translation>Adicionar</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="43"/>
        <source>Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="45"/>
        <source>Down</source>
        <translation>Descer</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="57"/>
        <source>Name:</source>
        <translation>Nome:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="58"/>
        <source>Template:</source>
        <translation>Modelo:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="64"/>
        <source>Placeholders: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1), and the channels of hsl, hwb, oklch, oklab, lab, lch and p3, such as {oklch.l}; &quot;:3&quot; gives 3 decimals; {{ and }} are braces.</source>
        <translation>Marcadores: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1) e os canais de hsl, hwb, oklch, oklab, lab, lch e p3, como {oklch.l}; “:3” dá 3 casas decimais; {{ e }} são chaves.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="74"/>
        <source>Save</source>
        <translation>Salvar</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="141"/>
        <source>Orange copies as: %1</source>
        <translation>O laranja é copiado como: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="146"/>
        <source>Format %1</source>
        <translation>Formato %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="178"/>
        <source>The format needs a name.</source>
        <translation>O formato precisa de um nome.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="180"/>
        <source>&quot;%1&quot;: %2</source>
        <translation>“%1”: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="52"/>
        <source>Matching colors</source>
        <translation>Cores correspondentes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="55"/>
        <source>Find a color by name or value</source>
        <translation>Localizar uma cor por nome ou valor</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="56"/>
        <source>Find Color</source>
        <translation>Localizar cor</translation>
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
        <translation>Contraste com %1: solte uma cor aqui ou clique para mais opções</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="394"/>
        <source>Color to contrast against: %1</source>
        <translation>Cor de contraste: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="432"/>
        <source>Pick from Screen</source>
        <translation>Capturar da tela</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="436"/>
        <source>White</source>
        <translation>Branco</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="32"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="438"/>
        <source>Black</source>
        <translation>Preto</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="448"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="458"/>
        <source>%n more not shown</source>
        <translation>
            <numerusform>mais %n não exibida</numerusform>
            <numerusform>mais %n não exibidas</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="463"/>
        <source>Copy Contrast Summary</source>
        <translation>Copiar resumo do contraste</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>passes</source>
        <translation>passa</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>fails</source>
        <translation>falha</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="96"/>
        <source>Contrast ratio of %1 and %2 (WCAG 2.2): %3</source>
        <translation>Relação de contraste entre %1 e %2 (WCAG 2.2): %3</translation>
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
        <translation>%1 %2: %3 (requer %4)</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="138"/>
        <source>APCA lightness contrast of %1 as text on %2: Lc %3</source>
        <translation>Contraste de luminosidade APCA de %1 como texto sobre %2: Lc %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="159"/>
        <source>Passes AA for normal text on %1</source>
        <translation>Passa no AA para texto normal sobre %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="161"/>
        <source>Nearest color that passes AA for normal text on %1: %2 (%3); click to select it</source>
        <translation>Cor mais próxima que passa no AA para texto normal sobre %1: %2 (%3); clique para selecioná-la</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="168"/>
        <source>%1 on %2: %3</source>
        <translation>%1 sobre %2: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="173"/>
        <source>nearest passing AA: %1</source>
        <translation>mais próxima que passa no AA: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="181"/>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="26"/>
        <source>Recent Colors</source>
        <translation>Cores recentes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="7"/>
        <source>Save the recent colors as a collection</source>
        <translation>Salvar as cores recentes como coleção</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="10"/>
        <source>Recent colors</source>
        <translation>Cores recentes</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="21"/>
        <source>No recent colors yet</source>
        <translation>Nenhuma cor recente ainda</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="9"/>
        <source>Add as collection</source>
        <translation>Adicionar como coleção</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="12"/>
        <source>Shades</source>
        <translation>Tons</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="29"/>
        <source>%1 %2°</source>
        <translation>%1 %2°</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="31"/>
        <source>%1 %2%</source>
        <translation>%1 %2%</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="35"/>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="40"/>
        <source>Hue %1°, saturation %2%</source>
        <translation>Matiz %1°, saturação %2%</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="45"/>
        <source>Brightness %1%</source>
        <translation>Brilho %1%</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="50"/>
        <source>Saturation %1%, brightness %2%</source>
        <translation>Saturação %1%, brilho %2%</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="58"/>
        <source>cyan %1%, magenta %2%, yellow %3%, black %4%</source>
        <translation>ciano %1%, magenta %2%, amarelo %3%, preto %4%</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="67"/>
        <source>Color %1</source>
        <translation>Cor %1</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, %2</source>
        <translation>Cor %1, %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, close to %2</source>
        <translation>Cor %1, próxima de %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="74"/>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="28"/>
        <source>No color selected</source>
        <translation>Nenhuma cor selecionada</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="79"/>
        <source>%1, %n color(s)</source>
        <translation>
            <numerusform>%1, %n cor</numerusform>
            <numerusform>%1, %n cores</numerusform>
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
        <translation>%1, amostra %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQSwatchToolRow.cpp" line="147"/>
        <source>The collection was not added.</source>
        <translation>A coleção não foi adicionada.</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="68"/>
        <source>Do not show this message again</source>
        <translation>Não mostrar esta mensagem novamente</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="151"/>
        <source>Vellico couldn&apos;t show the log file: no file manager is set up on this desktop.</source>
        <translation>O Vellico não conseguiu mostrar o arquivo de registro: nenhum gerenciador de arquivos está configurado nesta área de trabalho.</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQColorOverviewView.cpp" line="13"/>
        <source>Color under the pointer</source>
        <translation>Cor sob o ponteiro</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQMagnifierLoupeWindow.cpp" line="34"/>
        <source>Loupe</source>
        <translation>Lupa</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenPreviewView.cpp" line="54"/>
        <source>Magnifier</source>
        <translation>Ampliação</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQBrightnessSlider.cpp" line="23"/>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="40"/>
        <source>Brightness</source>
        <translation>Brilho</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorPickerChooserPopUpButton.cpp" line="11"/>
        <source>Color picker</source>
        <translation>Seletor de cores</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQSaturationBrightnessView.cpp" line="17"/>
        <source>Saturation and brightness</source>
        <translation>Saturação e brilho</translation>
    </message>
</context>
</TS>
