<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
<context>
    <name>QGuiApplication</name>
    <message>
        <location filename="../src/vqcore/VQTranslations.cpp" line="12"/>
        <source>QT_LAYOUT_DIRECTION</source>
        <extracomment>&quot;LTR&quot; for a language written from left to right, &quot;RTL&quot; for one written from right to left.</extracomment>
        <translation>RTL</translation>
    </message>
</context>
<context>
    <name>Vellico</name>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="35"/>
        <location filename="../src/app/VQAppActions.cpp" line="228"/>
        <source>About Vellico</source>
        <translation>عن Vellico</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="36"/>
        <location filename="../src/app/VQWindowController.cpp" line="263"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="137"/>
        <source>Pick Color from Screen</source>
        <translation>التقاط لون من الشاشة</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="37"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="194"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="15"/>
        <source>New Collection</source>
        <translation>مجموعة جديدة</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="38"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="17"/>
        <source>Find Color...</source>
        <translation>البحث عن لون...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="39"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="13"/>
        <source>Copy Color Name</source>
        <translation>نسخ اسم اللون</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="40"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="18"/>
        <source>Preferences...</source>
        <translation>التفضيلات...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="41"/>
        <source>Import ACO file...</source>
        <translation>استيراد ملف ACO...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="42"/>
        <source>Import ASE file...</source>
        <translation>استيراد ملف ASE...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="43"/>
        <source>Import CLR file...</source>
        <translation>استيراد ملف CLR...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="44"/>
        <source>Import GPL file...</source>
        <translation>استيراد ملف GPL...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="45"/>
        <source>Send Feedback...</source>
        <translation>إرسال ملاحظات...</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="46"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="19"/>
        <source>Help</source>
        <translation>مساعدة</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="47"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="19"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="20"/>
        <source>Quit</source>
        <translation>إنهاء</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="177"/>
        <location filename="../src/parsers/VQImportCommands.cpp" line="30"/>
        <source>Import</source>
        <translation>استيراد</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="211"/>
        <source>A color picker and swatch manager for the desktop.</source>
        <translation>منتقي ألوان ومدير عيّنات لسطح المكتب.</translation>
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
        <translation>حسنًا</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="250"/>
        <source>Vellico couldn&apos;t open the user guide: no web browser is set up on this desktop.</source>
        <translation>تعذّر على Vellico فتح دليل المستخدم: لم يُضبط متصفح ويب على سطح المكتب هذا.</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="251"/>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="152"/>
        <source>Copy Path</source>
        <translation>نسخ المسار</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="258"/>
        <source>Vellico couldn&apos;t start a mail program: none is set up on this desktop. Please write to this address:</source>
        <translation>تعذّر على Vellico تشغيل برنامج بريد: لم يُضبط أي برنامج بريد على سطح المكتب هذا. يُرجى الكتابة إلى هذا العنوان:</translation>
    </message>
    <message>
        <location filename="../src/app/VQAppActions.cpp" line="260"/>
        <source>Copy Address</source>
        <translation>نسخ العنوان</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="23"/>
        <source>Vellico cannot write to the folder where the library should be saved.</source>
        <translation>لا يستطيع Vellico الكتابة في المجلد الذي يجب حفظ المكتبة فيه.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="24"/>
        <source>Please, hold down the Alt key while launching Vellico to choose a different library.</source>
        <translation>يُرجى الضغط مع الاستمرار على مفتاح Alt أثناء تشغيل Vellico لاختيار مكتبة أخرى.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="29"/>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="45"/>
        <source>Vellico couldn&apos;t open the swatch library.</source>
        <translation>تعذّر على Vellico فتح مكتبة العيّنات.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="30"/>
        <source>The library may be corrupted or could be from a future release of Vellico.</source>
        <translation>قد تكون المكتبة تالفة أو من إصدار أحدث من Vellico.</translation>
    </message>
    <message>
        <location filename="../src/app/VQLibraryAtLaunch.cpp" line="31"/>
        <source>Overwrite</source>
        <translation>استبدال</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="15"/>
        <source>No system tray is running: add one (on GNOME, the AppIndicator extension) and restart Vellico to put its icon there.</source>
        <translation>لا تعمل أي صينية نظام: أضف واحدة (في GNOME، امتداد AppIndicator) ثم أعد تشغيل Vellico لتظهر أيقونته فيها.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="24"/>
        <source>This desktop lets Vellico neither read the screen nor bind a key: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>لا يسمح سطح المكتب هذا لـVellico بقراءة الشاشة ولا بربط مفتاح: الصق لونًا بـCtrl+V، أو انقر بالزر الأيمن على خانة اللون لكتابة لون.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="27"/>
        <source>This desktop does not let Vellico read the screen: paste a color with Ctrl+V, or right-click the readout to type one.</source>
        <translation>لا يسمح سطح المكتب هذا لـVellico بقراءة الشاشة: الصق لونًا بـCtrl+V، أو انقر بالزر الأيمن على خانة اللون لكتابة لون.</translation>
    </message>
    <message>
        <location filename="../src/app/VQShellMode.cpp" line="30"/>
        <source>This desktop binds no global shortcut for Vellico: bind &quot;vellico --pick&quot; to a key in its keyboard settings (the preferences show how).</source>
        <translation>لا يربط سطح المكتب هذا أي اختصار عام لـVellico: اربط الأمر «vellico --pick» بمفتاح في إعدادات لوحة المفاتيح الخاصة به (تبيّن التفضيلات الطريقة).</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="339"/>
        <source>Enter a hex, HTML or CSS color string.</source>
        <translation>أدخل لونًا بصيغة ست عشرية أو HTML أو CSS.</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="343"/>
        <source>Vellico accepts strings in these formats: 
• (#)RRGGBB (e.g. #EE11EE, #E1E or EE11EE, E1E)
• CSS rgb(r,g,b) and rgba(r,g,b,a)
• basic HTML colors (e.g. black, white)
• every CSS color: #RGBA, #RRGGBBAA, hsl(), hwb(), lab(), lch(), oklab(), oklch(), color() and the named colors (e.g. cornflowerblue).</source>
        <translation>يقبل Vellico النصوص بهذه الصيغ:
• الصيغة ‎(#)RRGGBB (مثل ‎#EE11EE أو ‎#E1E أو EE11EE أو E1E)
• الصيغتان rgb(r,g,b) وrgba(r,g,b,a) في CSS
• ألوان HTML الأساسية (مثل black وwhite)
• كل ألوان CSS: ‎#RGBA، ‎#RRGGBBAA، hsl()، hwb()، lab()، lch()، oklab()، oklch()، color() والألوان المسمّاة (مثل cornflowerblue).</translation>
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
        <translation>إلغاء</translation>
    </message>
    <message>
        <location filename="../src/core/VQColorText.cpp" line="364"/>
        <source>Vellico couldn&apos;t parse the entered hex value.</source>
        <translation>تعذّر على Vellico تحليل القيمة الست عشرية المُدخلة.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="32"/>
        <source>Cannot read the library version number.</source>
        <translation>تتعذّر قراءة رقم إصدار المكتبة.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="33"/>
        <source>It was created by a newer version of Vellico.</source>
        <translation>أُنشئت بإصدار أحدث من Vellico.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="566"/>
        <source>Waiting for another program to finish with the library %1…</source>
        <translation>في انتظار أن ينتهي برنامج آخر من استخدام المكتبة ‎%1…</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="599"/>
        <source>Another program replaced the library with a file that Vellico cannot merge (%1). That file was kept as “%2”; Vellico saved its own library in its place.</source>
        <translation>استبدل برنامج آخر المكتبة بملف لا يستطيع Vellico دمجه (%1). احتُفظ بذلك الملف باسم «‎%2»، وحفظ Vellico مكتبته مكانه.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="606"/>
        <source>Another program replaced the library %1 with a file that Vellico cannot merge (%2), and it could not be set aside. Vellico will not save over it: move it away.</source>
        <translation>استبدل برنامج آخر المكتبة ‎%1 بملف لا يستطيع Vellico دمجه (%2)، وتعذّر نقله جانبًا. لن يحفظ Vellico فوقه: انقله إلى مكان آخر.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="625"/>
        <source>it cannot be read</source>
        <translation>تتعذّر قراءته</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="632"/>
        <source>it was written by another version of Vellico</source>
        <translation>كتبه إصدار آخر من Vellico</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchCore.cpp" line="647"/>
        <source>Vellico did not save the library: %1. The file on disk is unchanged; remove some colors or collections so that it can be saved again.</source>
        <translation>لم يحفظ Vellico المكتبة: %1. لم يتغيّر الملف على القرص؛ أزل بعض الألوان أو المجموعات ليمكن حفظها مجددًا.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="45"/>
        <source>Choose Vellico library.</source>
        <translation>اختر مكتبة Vellico.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="46"/>
        <source>Vellico needs to store its information somewhere.</source>
        <translation>يحتاج Vellico إلى مكان يخزّن فيه معلوماته.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="51"/>
        <source>Choose Library...</source>
        <translation>اختيار مكتبة...</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="47"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="63"/>
        <source>Create Library...</source>
        <translation>إنشاء مكتبة...</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="56"/>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="68"/>
        <source>Libraries</source>
        <translation>المكتبات</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="66"/>
        <source>Vellico Library</source>
        <translation>مكتبة Vellico</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="77"/>
        <source>Vellico couldn&apos;t create the library.</source>
        <translation>تعذّر على Vellico إنشاء المكتبة.</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="121"/>
        <source>Custom library wasn&apos;t found!</source>
        <translation>لم يُعثر على المكتبة المخصّصة!</translation>
    </message>
    <message>
        <location filename="../src/core/VQSwatchDatabaseURL.cpp" line="122"/>
        <source>Vellico will use the default library instead.</source>
        <translation>سيستخدم Vellico المكتبة المبدئية بدلًا منها.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQACOParser.cpp" line="124"/>
        <source>Imported from ACO</source>
        <translation>مستوردة من ACO</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQASEParser.cpp" line="166"/>
        <location filename="../src/parsers/VQASEParser.cpp" line="180"/>
        <location filename="../src/parsers/VQGPLParser.cpp" line="186"/>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="200"/>
        <source>Untitled Collection</source>
        <translation>مجموعة بلا عنوان</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="32"/>
        <source>Swatch files</source>
        <translation>ملفات العيّنات</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="49"/>
        <source>The file might be corrupted.</source>
        <translation>قد يكون الملف تالفًا.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="50"/>
        <source>No colors found in the file!</source>
        <translation>لم يُعثر على ألوان في الملف!</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="74"/>
        <source>Some names were changed on the way in.</source>
        <translation>تغيّرت بعض الأسماء أثناء الاستيراد.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="75"/>
        <source>Some rows of the file were not imported.</source>
        <translation>لم تُستورد بعض صفوف الملف.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="101"/>
        <source>The file was not imported.</source>
        <translation>لم يُستورد الملف.</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="303"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="117"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="209"/>
        <source>Please, enter a new name for the color:</source>
        <translation>يُرجى إدخال اسم جديد للون:</translation>
    </message>
    <message>
        <location filename="../src/parsers/VQImportCommands.cpp" line="306"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="120"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="154"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="212"/>
        <source>Rename</source>
        <translation>إعادة تسمية</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="117"/>
        <source>The pick through the desktop portal was ended before it answered.</source>
        <translation>انتهى الالتقاط عبر بوابة سطح المكتب قبل أن تجيب.</translation>
    </message>
    <message>
        <location filename="../src/platform/portal/VQPortalColorPicker.cpp" line="118"/>
        <source>The desktop portal&apos;s pick was cancelled.</source>
        <translation>أُلغي الالتقاط عبر بوابة سطح المكتب.</translation>
    </message>
    <message>
        <location filename="../src/platform/VQGlobalShortcutService.cpp" line="57"/>
        <source>The shortcut %1 is used by another program, so it does not start Vellico&apos;s loupe. Choose another shortcut in the preferences.</source>
        <translation>يستخدم برنامج آخر الاختصار %1، لذا لا يفتح عدسة Vellico المكبّرة. اختر اختصارًا آخر في التفضيلات.</translation>
    </message>
    <message>
        <location filename="../src/platform/x11/VQX11Desktop.cpp" line="432"/>
        <source>Vellico runs on XWayland, and an X11 program cannot read the screen of a Wayland session; start it without QT_QPA_PLATFORM=xcb</source>
        <translation>يعمل Vellico على XWayland، ولا يستطيع برنامج X11 قراءة شاشة جلسة Wayland؛ شغّله دون QT_QPA_PLATFORM=xcb</translation>
    </message>
    <message>
        <location filename="../src/ui/collection_viewer/VQQuickLookController.cpp" line="108"/>
        <source>Swatch size</source>
        <translation>حجم العيّنة</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="80"/>
        <source>Collection</source>
        <translation>مجموعة</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="133"/>
        <source>Do you really want to remove this color from its collection?</source>
        <translation>هل تريد حقًا إزالة هذا اللون من مجموعته؟</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="134"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="178"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="231"/>
        <source>This action cannot be undone.</source>
        <translation>لا يمكن التراجع عن هذا الإجراء.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="135"/>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="179"/>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="37"/>
        <source>Remove</source>
        <translation>إزالة</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="151"/>
        <source>Please, enter a new name for the color collection:</source>
        <translation>يُرجى إدخال اسم جديد لمجموعة الألوان:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="177"/>
        <source>Do you really want to remove this collection?</source>
        <translation>هل تريد حقًا إزالة هذه المجموعة؟</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="192"/>
        <source>Please, enter a name for the color collection:</source>
        <translation>يُرجى إدخال اسم لمجموعة الألوان:</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="195"/>
        <source>Create</source>
        <translation>إنشاء</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="230"/>
        <source>Are you sure you want to merge these two collections?</source>
        <translation>هل أنت متأكد من أنك تريد دمج هاتين المجموعتين؟</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="232"/>
        <source>Merge</source>
        <translation>دمج</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="285"/>
        <source>Export</source>
        <translation>تصدير</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="287"/>
        <source>Palette files</source>
        <translation>ملفات لوحات الألوان</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="292"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="453"/>
        <source>Collections</source>
        <translation>المجموعات</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="301"/>
        <source>The colors could not be exported.</source>
        <translation>تعذّر تصدير الألوان.</translation>
    </message>
    <message>
        <location filename="../src/ui/collections/VQCollectionActions.cpp" line="315"/>
        <source>Some names were changed in the exported file.</source>
        <translation>تغيّرت بعض الأسماء في الملف المُصدَّر.</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="68"/>
        <source>Previous collections</source>
        <translation>المجموعات السابقة</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="69"/>
        <source>Next collections</source>
        <translation>المجموعات التالية</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="303"/>
        <source>Drop a color here, import a palette, or Ctrl+N</source>
        <translation>أفلت لونًا هنا، أو استورد لوحة ألوان، أو اضغط Ctrl+N</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="336"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="345"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="227"/>
        <source>Rename...</source>
        <translation>إعادة تسمية...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="340"/>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="346"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="155"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="231"/>
        <source>Remove...</source>
        <translation>إزالة...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="347"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="159"/>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="235"/>
        <source>Export...</source>
        <translation>تصدير...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="350"/>
        <source>Open Collection Viewer...</source>
        <translation>فتح عارض المجموعات...</translation>
    </message>
    <message>
        <location filename="../src/ui/lane/VQCollectionViewer.cpp" line="352"/>
        <source>Organize...</source>
        <translation>تنظيم...</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenshotLoupe.cpp" line="183"/>
        <source>Vellico loupe</source>
        <translation>عدسة Vellico المكبّرة</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="9"/>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="441"/>
        <source>Copy</source>
        <translation>نسخ</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="10"/>
        <source>Copy Alternate Format</source>
        <translation>نسخ بالتنسيق البديل</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="12"/>
        <source>Paste</source>
        <translation>لصق</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="21"/>
        <source>Close Window</source>
        <translation>إغلاق النافذة</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQMainWindowKeys.cpp" line="23"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="461"/>
        <source>Swap with Selection</source>
        <translation>تبديل مع اللون المحدد</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="53"/>
        <source>Click to copy; right click to type a color</source>
        <translation>انقر للنسخ، وبالزر الأيمن لكتابة لون</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="54"/>
        <source>Selected color</source>
        <translation>اللون المحدد</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="308"/>
        <source>Click to copy the name</source>
        <translation>انقر لنسخ الاسم</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSelectionControl.cpp" line="318"/>
        <source>Copied “%1”</source>
        <translation>نُسخ «‎%1»</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="142"/>
        <source>Preferences, import and more</source>
        <translation>التفضيلات والاستيراد والمزيد</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="143"/>
        <source>Menu</source>
        <translation>القائمة</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="168"/>
        <source>Show or hide the collections</source>
        <translation>إظهار المجموعات أو إخفاؤها</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="169"/>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="303"/>
        <source>Hide Collections</source>
        <translation>إخفاء المجموعات</translation>
    </message>
    <message>
        <location filename="../src/ui/mainwindow/VQSwatchMainWindow.cpp" line="304"/>
        <source>Show Collections</source>
        <translation>إظهار المجموعات</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="131"/>
        <source>Organizer</source>
        <translation>منظّم المجموعات</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="156"/>
        <source>Remove the selected collection</source>
        <translation>إزالة المجموعة المحددة</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerController.cpp" line="160"/>
        <source>Export the selected collections</source>
        <translation>تصدير المجموعات المحددة</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="102"/>
        <source>Click for the colors of this collection</source>
        <translation>انقر لعرض ألوان هذه المجموعة</translation>
    </message>
    <message>
        <location filename="../src/ui/organizer/VQOrganizerModel.cpp" line="110"/>
        <source>Title</source>
        <translation>العنوان</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQCMYKSlidersColorPicker.h" line="10"/>
        <source>CMYK Sliders</source>
        <translation>منزلقات CMYK</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="34"/>
        <source>Color wheel</source>
        <translation>عجلة الألوان</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelControl.cpp" line="150"/>
        <source>Select White</source>
        <translation>تحديد الأبيض</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorWheelPicker.h" line="16"/>
        <source>Color Wheel</source>
        <translation>عجلة الألوان</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="20"/>
        <source>Red</source>
        <translation>أحمر</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="22"/>
        <source>Green</source>
        <translation>أخضر</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="24"/>
        <source>Blue</source>
        <translation>أزرق</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="26"/>
        <source>Cyan</source>
        <translation>سماوي</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="28"/>
        <source>Magenta</source>
        <translation>أرجواني</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="30"/>
        <source>Yellow</source>
        <translation>أصفر</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="34"/>
        <location filename="../src/ui/pickers/VQGrayscaleColorPicker.cpp" line="9"/>
        <source>Gray</source>
        <translation>رمادي</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="36"/>
        <source>Hue</source>
        <translation>درجة اللون</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="38"/>
        <source>Saturation</source>
        <translation>التشبّع</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQGrayscaleColorPicker.h" line="10"/>
        <source>Grayscale</source>
        <translation>تدرّج الرمادي</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBColorPicker.h" line="10"/>
        <source>HSB Sliders</source>
        <translation>منزلقات HSB</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.cpp" line="37"/>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQHSBPlaneColorPicker.h" line="16"/>
        <source>Color Square</source>
        <translation>مربّع الألوان</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQRGBSlidersColorPicker.h" line="10"/>
        <source>RGB Sliders</source>
        <translation>منزلقات RGB</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="53"/>
        <source>Type shortcut</source>
        <translation>اكتب الاختصار</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderCell.cpp" line="56"/>
        <source>Click to record shortcut</source>
        <translation>انقر لتسجيل اختصار</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="70"/>
        <source>Global shortcut</source>
        <translation>الاختصار العام</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRRecorderControl.cpp" line="78"/>
        <source>Use old shortcut</source>
        <translation>استخدام الاختصار القديم</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="15"/>
        <source>The key combination %@ can&apos;t be used!</source>
        <translation>لا يمكن استخدام تركيبة المفاتيح ‎%@!</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="51"/>
        <source>it&apos;s already used</source>
        <translation>مستخدمة بالفعل</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="53"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because %@.</source>
        <translation>لا يمكن استخدام تركيبة المفاتيح «‎%@» لأنها %@.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="63"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by a system-wide keyboard shortcut. (If you really want to use this key combination, most shortcuts can be changed in the keyboard settings of your desktop.)</source>
        <translation>لا يمكن استخدام تركيبة المفاتيح «‎%@» لأن اختصار لوحة مفاتيح على مستوى النظام يستخدمها بالفعل. (إن كنت تريد حقًا استخدام هذه التركيبة، فيمكن تغيير معظم الاختصارات في إعدادات لوحة المفاتيح لسطح المكتب.)</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="74"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because its key has no name on the current keyboard layout.</source>
        <translation>لا يمكن استخدام تركيبة المفاتيح «‎%@» لأن مفتاحها لا اسم له في تخطيط لوحة المفاتيح الحالي.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/SRValidator.cpp" line="96"/>
        <source>The key combination &quot;%@&quot; can&apos;t be used because it&apos;s already used by the menu item &quot;%@&quot;.</source>
        <translation>لا يمكن استخدام تركيبة المفاتيح «‎%@» لأن عنصر القائمة «%@» يستخدمها بالفعل.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQLaunchAtLogin.cpp" line="120"/>
        <source>The folder %1 could not be made.</source>
        <translation>تعذّر إنشاء المجلد ‎%1.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="32"/>
        <source>This desktop</source>
        <translation>سطح المكتب هذا</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>picks a color</source>
        <translation>يلتقط لونًا</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="35"/>
        <source>opens or closes the window</source>
        <translation>يفتح النافذة أو يغلقها</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="41"/>
        <source>Asking %1 to bind the shortcut…</source>
        <translation>جارٍ طلب ربط الاختصار من %1…</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="45"/>
        <source>%1 bound the shortcut; its keyboard settings show the keys.</source>
        <translation>ربط %1 الاختصار؛ تُظهر إعدادات لوحة المفاتيح الخاصة به المفاتيح.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="46"/>
        <source>%1 bound the shortcut to %2.</source>
        <translation>ربط %1 الاختصار بـ%2.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="49"/>
        <source>%1 did not bind the shortcut (%2). In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <translation>لم يربط %1 الاختصار (%2). في إعدادات لوحة المفاتيح الخاصة به، اربط الأمر الأول بمفتاح لالتقاط لون، أو الثاني لفتح النافذة:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQShortcutRowState.cpp" line="57"/>
        <source>%1 binds no global shortcut for programs%2. In its keyboard settings, bind the first command to a key to pick a color, or the second to open the window:</source>
        <extracomment>%1 is the desktop&apos;s name; %2 is empty or the reason in parentheses, with a space before it.</extracomment>
        <translation>لا يربط %1 أي اختصار عام للبرامج%2. في إعدادات لوحة المفاتيح الخاصة به، اربط الأمر الأول بمفتاح لالتقاط لون، أو الثاني لفتح النافذة:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="59"/>
        <source>Hexadecimal: FF8000</source>
        <translation>ست عشري: FF8000</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="60"/>
        <source>Hexadecimal: #FF8000</source>
        <translation>ست عشري: ‎#FF8000</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="89"/>
        <source>Vellico Preferences</source>
        <translation>تفضيلات Vellico</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="200"/>
        <source>Synchronize through a shared folder</source>
        <translation>المزامنة عبر مجلد مشترك</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="205"/>
        <source>No folder chosen</source>
        <translation>لم يُختر مجلد</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="206"/>
        <source>Shared folder</source>
        <translation>المجلد المشترك</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="207"/>
        <source>Choose...</source>
        <translation>اختيار...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="239"/>
        <source>Global shortcut:</source>
        <translation>الاختصار العام:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="245"/>
        <source>Copy format:</source>
        <translation>تنسيق النسخ:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="250"/>
        <source>Alternate format:</source>
        <translation>التنسيق البديل:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="254"/>
        <source>Your formats...</source>
        <translation>تنسيقاتك...</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="258"/>
        <source>Hexadecimal and CSS in lower case</source>
        <translation>الست عشري وCSS بأحرف صغيرة</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Crosshair</source>
        <translation>خطان متقاطعان</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="263"/>
        <source>Circle</source>
        <translation>دائرة</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="270"/>
        <source>Cursor on the wheel:</source>
        <translation>المؤشر على العجلة:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="283"/>
        <source>Bring Vellico to the front when picking from the screen</source>
        <translation>إحضار Vellico إلى الواجهة عند الالتقاط من الشاشة</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="288"/>
        <source>Remember recent colors</source>
        <translation>تذكّر الألوان الأخيرة</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="291"/>
        <source>How many recent colors are kept</source>
        <translation>عدد الألوان الأخيرة المحفوظة</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="292"/>
        <source>Keep:</source>
        <translation>الاحتفاظ بـ:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="294"/>
        <source>Clear</source>
        <translation>مسح</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="295"/>
        <source>Forget the recent colors now</source>
        <translation>مسح الألوان الأخيرة الآن</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="304"/>
        <source>Launch at login</source>
        <translation>التشغيل عند الولوج</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="307"/>
        <source>Write a debug log</source>
        <translation>كتابة سجل تنقيح</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="308"/>
        <source>Show the log file</source>
        <translation>إظهار ملف السجل</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="318"/>
        <source>Done</source>
        <translation>تم</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="378"/>
        <source>No global shortcut in this session: %1</source>
        <translation>لا اختصار عامًا في هذه الجلسة: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="439"/>
        <source>Command</source>
        <translation>الأمر</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="442"/>
        <source>Copy the command</source>
        <translation>نسخ الأمر</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="627"/>
        <source>Vellico could not be added to the programs started at login.</source>
        <translation>تعذّرت إضافة Vellico إلى البرامج التي تبدأ عند الولوج.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="629"/>
        <source>Vellico could not be removed from the programs started at login.</source>
        <translation>تعذّرت إزالة Vellico من البرامج التي تبدأ عند الولوج.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="643"/>
        <source>Choose the shared folder</source>
        <translation>اختر المجلد المشترك</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSwatchPreferencesController.cpp" line="655"/>
        <source>This folder can&apos;t be used for synchronization.</source>
        <translation>لا يمكن استخدام هذا المجلد للمزامنة.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="27"/>
        <source>The folder &quot;%1&quot; does not exist. Choose a folder that is there, for example one your sync tool keeps alike on all your computers.</source>
        <translation>المجلد «‎%1» غير موجود. اختر مجلدًا موجودًا، مثل مجلد تُبقيه أداة المزامنة متطابقًا على جميع حواسيبك.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="31"/>
        <source>&quot;%1&quot; is a file, not a folder. Choose the folder your copies should go to.</source>
        <translation>«‎%1» ملف وليس مجلدًا. اختر المجلد الذي تُحفظ فيه نسخك.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="34"/>
        <source>Vellico cannot write into the folder &quot;%1&quot;. Choose a folder you may write to.</source>
        <translation>لا يستطيع Vellico الكتابة في المجلد «‎%1». اختر مجلدًا يمكنك الكتابة فيه.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="42"/>
        <source>Choose the shared folder to synchronize.</source>
        <translation>اختر المجلد المشترك المراد مزامنته.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="45"/>
        <source>This computer has no identity to name its copy after: nothing will be written.</source>
        <translation>ليس لهذا الحاسوب هوية تُسمّى نسخته بها: لن يُكتب شيء.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQSyncFolderChoice.cpp" line="46"/>
        <source>This computer&apos;s copy: %1</source>
        <translation>نسخة هذا الحاسوب: ‎%1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="23"/>
        <source>Your Copy Formats</source>
        <translation>تنسيقات النسخ الخاصة بك</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="36"/>
        <source>Add</source>
        <translation>إضافة</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="43"/>
        <source>Up</source>
        <translation>لأعلى</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="45"/>
        <source>Down</source>
        <translation>لأسفل</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="57"/>
        <source>Name:</source>
        <translation>الاسم:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="58"/>
        <source>Template:</source>
        <translation>القالب:</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="64"/>
        <source>Placeholders: {hex} {HEX}, {rgb.r} (0-255), {srgb.r} (0-1), and the channels of hsl, hwb, oklch, oklab, lab, lch and p3, such as {oklch.l}; &quot;:3&quot; gives 3 decimals; {{ and }} are braces.</source>
        <translation>العناصر النائبة: ‎{hex} {HEX}، ‎{rgb.r} (0-255)، ‎{srgb.r} (0-1)، وقنوات hsl وhwb وoklch وoklab وlab وlch وp3، مثل ‎{oklch.l}؛ و‎&quot;:3&quot; تعطي 3 منازل عشرية؛ و‎{{‎ و‎}}‎ قوسان معقوفان.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="74"/>
        <source>Save</source>
        <translation>حفظ</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="141"/>
        <source>Orange copies as: %1</source>
        <translation>يُنسخ البرتقالي هكذا: ‎%1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="146"/>
        <source>Format %1</source>
        <translation>التنسيق %1</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="178"/>
        <source>The format needs a name.</source>
        <translation>يحتاج التنسيق إلى اسم.</translation>
    </message>
    <message>
        <location filename="../src/ui/prefs/VQUserFormatsEditor.cpp" line="180"/>
        <source>&quot;%1&quot;: %2</source>
        <translation>«%1»: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="52"/>
        <source>Matching colors</source>
        <translation>الألوان المطابقة</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="55"/>
        <source>Find a color by name or value</source>
        <translation>ابحث عن لون بالاسم أو القيمة</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQColorSearchPanel.cpp" line="56"/>
        <source>Find Color</source>
        <translation>البحث عن لون</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="238"/>
        <source>Normal</source>
        <translation>عادي</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="239"/>
        <source>Large</source>
        <translation>كبير</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="393"/>
        <source>Contrast against %1: drop a color here, or click for more</source>
        <translation>التباين مع ‎%1: أفلت لونًا هنا، أو انقر لمزيد من الخيارات</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="394"/>
        <source>Color to contrast against: %1</source>
        <translation>اللون المقارَن به: ‎%1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="432"/>
        <source>Pick from Screen</source>
        <translation>الالتقاط من الشاشة</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="436"/>
        <source>White</source>
        <translation>أبيض</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="32"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="438"/>
        <source>Black</source>
        <translation>أسود</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="448"/>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="458"/>
        <source>%n more not shown</source>
        <translation>
            <numerusform>%n عنصر آخر غير معروض</numerusform>
            <numerusform>%n عنصر آخر غير معروض</numerusform>
            <numerusform>%n عنصران آخران غير معروضين</numerusform>
            <numerusform>%n عناصر أخرى غير معروضة</numerusform>
            <numerusform>%n عنصرًا آخر غير معروض</numerusform>
            <numerusform>%n عنصر آخر غير معروض</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastRow.cpp" line="463"/>
        <source>Copy Contrast Summary</source>
        <translation>نسخ ملخّص التباين</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>passes</source>
        <translation>ناجح</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="42"/>
        <source>fails</source>
        <translation>فاشل</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="96"/>
        <source>Contrast ratio of %1 and %2 (WCAG 2.2): %3</source>
        <translation>نسبة التباين بين ‎%1 و‎%2 (WCAG 2.2): %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="118"/>
        <source>large text</source>
        <translation>للنص الكبير</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="118"/>
        <source>normal text</source>
        <translation>للنص العادي</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="121"/>
        <source>%1 %2: %3 (needs %4)</source>
        <translation>%1 %2: %3 (المطلوب %4)</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="138"/>
        <source>APCA lightness contrast of %1 as text on %2: Lc %3</source>
        <translation>تباين الإضاءة APCA للون ‎%1 نصًّا على ‎%2: Lc %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="159"/>
        <source>Passes AA for normal text on %1</source>
        <translation>ينجح في AA للنص العادي على ‎%1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="161"/>
        <source>Nearest color that passes AA for normal text on %1: %2 (%3); click to select it</source>
        <translation>أقرب لون ينجح في AA للنص العادي على ‎%1: ‎%2 (%3)؛ انقر لتحديده</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="168"/>
        <source>%1 on %2: %3</source>
        <translation>اللون ‎%1 على ‎%2: %3</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="173"/>
        <source>nearest passing AA: %1</source>
        <translation>أقرب لون ينجح في AA: ‎%1</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQContrastSummary.cpp" line="181"/>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="26"/>
        <source>Recent Colors</source>
        <translation>الألوان الأخيرة</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="7"/>
        <source>Save the recent colors as a collection</source>
        <translation>حفظ الألوان الأخيرة كمجموعة</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="10"/>
        <source>Recent colors</source>
        <translation>الألوان الأخيرة</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQRecentColorsRow.cpp" line="21"/>
        <source>No recent colors yet</source>
        <translation>لا توجد ألوان أخيرة بعد</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="9"/>
        <source>Add as collection</source>
        <translation>إضافة كمجموعة</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="12"/>
        <source>Shades</source>
        <translation>التدرجات</translation>
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
        <translation>درجة اللون %1°، التشبّع %2%</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="45"/>
        <source>Brightness %1%</source>
        <translation>السطوع %1%</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="50"/>
        <source>Saturation %1%, brightness %2%</source>
        <translation>التشبّع %1%، السطوع %2%</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="58"/>
        <source>cyan %1%, magenta %2%, yellow %3%, black %4%</source>
        <translation>سماوي %1%، أرجواني %2%، أصفر %3%، أسود %4%</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="67"/>
        <source>Color %1</source>
        <translation>اللون %1</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, %2</source>
        <translation>اللون %1، %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="68"/>
        <source>Color %1, close to %2</source>
        <translation>اللون %1، قريب من %2</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="74"/>
        <location filename="../src/ui/tools/VQShadesRow.cpp" line="28"/>
        <source>No color selected</source>
        <translation>لم يُحدَّد لون</translation>
    </message>
    <message numerus="yes">
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="79"/>
        <source>%1, %n color(s)</source>
        <translation>
            <numerusform>%1، %n لون</numerusform>
            <numerusform>%1، %n لون</numerusform>
            <numerusform>%1، %n لونان</numerusform>
            <numerusform>%1، %n ألوان</numerusform>
            <numerusform>%1، %n لونًا</numerusform>
            <numerusform>%1، %n لون</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="84"/>
        <source>%1 (%2 of %3)</source>
        <translation>%1 (%2 من %3)</translation>
    </message>
    <message>
        <location filename="../src/ui/accessibility/VQAccessibleText.cpp" line="89"/>
        <source>%1, sample %2</source>
        <translation>%1، العيّنة %2</translation>
    </message>
    <message>
        <location filename="../src/ui/tools/VQSwatchToolRow.cpp" line="147"/>
        <source>The collection was not added.</source>
        <translation>لم تُضف المجموعة.</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="68"/>
        <source>Do not show this message again</source>
        <translation>لا تُظهر هذه الرسالة مجددًا</translation>
    </message>
    <message>
        <location filename="../src/vqcore/ui/VQWidgetModalUI.cpp" line="151"/>
        <source>Vellico couldn&apos;t show the log file: no file manager is set up on this desktop.</source>
        <translation>تعذّر على Vellico إظهار ملف السجل: لم يُضبط مدير ملفات على سطح المكتب هذا.</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQColorOverviewView.cpp" line="13"/>
        <source>Color under the pointer</source>
        <translation>اللون تحت المؤشر</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQMagnifierLoupeWindow.cpp" line="34"/>
        <source>Loupe</source>
        <translation>العدسة المكبّرة</translation>
    </message>
    <message>
        <location filename="../src/ui/loupe/VQScreenPreviewView.cpp" line="54"/>
        <source>Magnifier</source>
        <translation>المكبّر</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQBrightnessSlider.cpp" line="23"/>
        <location filename="../src/ui/pickers/VQColorSlider.cpp" line="40"/>
        <source>Brightness</source>
        <translation>السطوع</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQColorPickerChooserPopUpButton.cpp" line="11"/>
        <source>Color picker</source>
        <translation>منتقي الألوان</translation>
    </message>
    <message>
        <location filename="../src/ui/pickers/VQSaturationBrightnessView.cpp" line="17"/>
        <source>Saturation and brightness</source>
        <translation>التشبّع والسطوع</translation>
    </message>
</context>
</TS>
