<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../ui/AboutDialog.ui" line="9"/>
        <source>ﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/AboutDialog.ui" line="49"/>
        <source>Vantrell</source>
        <translation>Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/AboutDialog.ui" line="60"/>
        <source>Version 1.0</source>
        <translation>Version 1.0</translation>
    </message>
    <message>
        <location filename="../ui/AboutDialog.ui" line="107"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../ui/AboutDialog.cpp" line="22"/>
        <source>© 2026 Vantrell 開発者</source>
        <translation>© 2026 Vantrell developers</translation>
    </message>
    <message>
        <location filename="../ui/AboutDialog.cpp" line="23"/>
        <source>ギザギザの星を描くツール</source>
        <translation>A tool for jagged stars</translation>
    </message>
</context>
<context>
    <name>CentrePalette</name>
    <message>
        <location filename="../ui/CentrePalette.ui" line="12"/>
        <source>Vantrell</source>
        <translation>Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/CentrePalette.ui" line="6"/>
        <location filename="../ui/CentrePalette.ui" line="19"/>
        <source>ヴァントレルの中心</source>
        <translation>Centre of the Jags</translation>
    </message>
    <message>
        <location filename="../ui/CentrePalette.ui" line="27"/>
        <source>中心、横</source>
        <translation>Centre, horizontal</translation>
    </message>
    <message>
        <location filename="../ui/CentrePalette.ui" line="56"/>
        <source>中心、縦</source>
        <translation>Centre, vertical</translation>
    </message>
    <message>
        <location filename="../ui/CentrePalette.ui" line="94"/>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>FileMessages</name>
    <message>
        <location filename="../output/FileMessages.cpp" line="37"/>
        <source>ファイル %1 を作成できません: %2</source>
        <translation>Cannot create the file %1: %2</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="40"/>
        <source>%1 に一時ファイルを作成できません: %2。%3 は変更していません</source>
        <translation>Cannot make a temporary file in %1: %2; %3 was not changed</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="51"/>
        <source>新しい %1 を置きましたが、フォルダーを同期できません: %2。停電などがあると新しい画像は失われることがあります</source>
        <translation>The new %1 is in place, but its folder could not be synced: %2; the new picture may not survive a power loss</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="87"/>
        <source>画像 %1 は、描く元の設定ファイル %2 と同じファイルなので、保存できません。どちらのファイルも変更していません</source>
        <translation>The picture %1 is the settings file %2 it is drawn from, so it was not saved; neither file was changed</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="44"/>
        <source>ストリームへの書き込みエラー: %1: %2</source>
        <translation>Error writing to the file %1: %2</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="47"/>
        <source>新しい %1 を置けません: %2。%1 は変更していません</source>
        <translation>Cannot put the new %1 in place: %2; %1 was not changed</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="56"/>
        <source>%1 に保存できません: BMP ファイルは 4 GiB までで、%2 の画像は入りません</source>
        <translation>Cannot save %1: a BMP file holds at most 4 GiB, too little for a picture of %2</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="61"/>
        <source>%1 に保存できません: JPEG の幅と高さは 65500 ピクセルまでで、この画像は %2 です</source>
        <translation>Cannot save %1: a JPEG is at most 65500 pixels wide and high, and this picture is %2</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="66"/>
        <source>JPEG エラー #%1</source>
        <translation>JPEG error #%1</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="68"/>
        <source>PNG エラー: %1</source>
        <translation>PNG error: %1</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="70"/>
        <source>メモリが足りないため、画像を保存できません</source>
        <translation>There is not enough memory to save the picture</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="72"/>
        <source>作業スレッドを作成できないため、画像を保存できません (%1)</source>
        <translation>The picture cannot be saved because no worker thread can be started (%1)</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="83"/>
        <source>画像の幅か高さが 0 なので、保存するものがありません</source>
        <translation>The picture is 0 pixels wide or high: there is nothing to save</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="97"/>
        <source>通常のファイルではありません</source>
        <translation>not a regular file</translation>
    </message>
    <message numerus="yes">
        <location filename="../output/FileMessages.cpp" line="100"/>
        <source>%1 バイトしかなく、設定の 68 バイトに足りません</source>
        <translation>
            <numerusform>%1 byte, fewer than a record&apos;s 68</numerusform>
            <numerusform>%1 bytes, fewer than a record&apos;s 68</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../output/FileMessages.cpp" line="106"/>
        <source>星のファイルではありません: %1 バイトで、68 バイトでも、拡張ブロックが続くのでもありません</source>
        <translation>
            <numerusform>not a star file: %1 byte, neither 68 nor a record followed by an extension block</numerusform>
            <numerusform>not a star file: %1 bytes, neither 68 nor a record followed by an extension block</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="117"/>
        <source>設定ファイル %1 を読み込めません: %2</source>
        <translation>Cannot read the settings file %1: %2</translation>
    </message>
    <message>
        <location filename="../output/FileMessages.cpp" line="122"/>
        <source>設定ファイル %1 には、この版の知らないデータがあります</source>
        <translation>The settings file %1 holds data this version does not know</translation>
    </message>
</context>
<context>
    <name>JagsPalette</name>
    <message>
        <location filename="../ui/JagsPalette.ui" line="12"/>
        <source>Vantrell</source>
        <translation>Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/JagsPalette.ui" line="6"/>
        <location filename="../ui/JagsPalette.ui" line="22"/>
        <location filename="../ui/JagsPalette.ui" line="30"/>
        <source>ヴァントレルの数</source>
        <translation>Number of Jags</translation>
    </message>
</context>
<context>
    <name>LiveBackground</name>
    <message>
        <location filename="../ui/LiveBackground.cpp" line="63"/>
        <source>デスクトップが合成されていないため使えません(コンポジットマネージャーが必要です)</source>
        <translation>Not available: the desktop does not composite windows (a compositing manager is needed)</translation>
    </message>
    <message>
        <location filename="../ui/LiveBackground.cpp" line="67"/>
        <source>このデスクトップは画面を取得できないため、常に実際の背景を透かします</source>
        <translation>This desktop cannot be captured, so the real desktop always shows through</translation>
    </message>
</context>
<context>
    <name>MagnificationDialog</name>
    <message>
        <location filename="../ui/MagnificationDialog.ui" line="9"/>
        <source>Vantrell</source>
        <translation>Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/MagnificationDialog.ui" line="30"/>
        <location filename="../ui/MagnificationDialog.ui" line="35"/>
        <source>保存倍率</source>
        <translation>Magnification</translation>
    </message>
    <message>
        <location filename="../ui/MagnificationDialog.ui" line="54"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../ui/MagnificationDialog.ui" line="65"/>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>保存倍率</source>
        <translation>Magnification for saving</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../ui/MainWindow.ui" line="6"/>
        <source>Vantrell</source>
        <translation>Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="12"/>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="28"/>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="53"/>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="64"/>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save Picture &amp;As...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="69"/>
        <source>保存倍率の指定(&amp;R)...</source>
        <translation>Save &amp;Ratio...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="77"/>
        <source>背景を透明にする(&amp;T)</source>
        <translation>&amp;Transparent Background</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="85"/>
        <source>輪郭をなめらかにする(&amp;M)</source>
        <translation>S&amp;mooth Edges</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="90"/>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open Star File...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="93"/>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="98"/>
        <source>設定に名前を付けて保存(&amp;N)...</source>
        <translation>Sa&amp;ve Settings As...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="106"/>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="114"/>
        <source>やり直し(&amp;Y)</source>
        <translation>Re&amp;do</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="119"/>
        <source>設定保存(&amp;S)</source>
        <translation>&amp;Save Settings</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="124"/>
        <source>設定初期化(&amp;D)</source>
        <translation>Reset to &amp;Defaults</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="129"/>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="134"/>
        <location filename="../ui/MainWindow.ui" line="227"/>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="137"/>
        <location filename="../ui/MainWindow.ui" line="230"/>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="142"/>
        <location filename="../ui/MainWindow.ui" line="235"/>
        <source>ヴァントレルの数(&amp;P)...</source>
        <translation>Number of &amp;Jags...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="147"/>
        <location filename="../ui/MainWindow.ui" line="240"/>
        <source>回転(&amp;R)...</source>
        <translation>&amp;Rotation...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="152"/>
        <location filename="../ui/MainWindow.ui" line="245"/>
        <source>捩じる(&amp;T)...</source>
        <translation>&amp;Twist...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="157"/>
        <location filename="../ui/MainWindow.ui" line="250"/>
        <source>ヴァントレルの中心(&amp;E)...</source>
        <translation>C&amp;entre of the Jags...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="162"/>
        <location filename="../ui/MainWindow.ui" line="255"/>
        <source>形(&amp;K)...</source>
        <translation>Sha&amp;pe...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="170"/>
        <location filename="../ui/MainWindow.ui" line="263"/>
        <source>幅と高さを同じに(&amp;1)...</source>
        <translation>Same Width and &amp;Height</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="175"/>
        <location filename="../ui/MainWindow.ui" line="268"/>
        <source>サイズ(&amp;S)...</source>
        <translation>&amp;Size...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="183"/>
        <location filename="../ui/MainWindow.ui" line="276"/>
        <source>塗りつぶす(&amp;F)</source>
        <translation>&amp;Fill</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="188"/>
        <location filename="../ui/MainWindow.ui" line="281"/>
        <source>前景色(&amp;O)...</source>
        <translation>F&amp;oreground Colour...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="193"/>
        <location filename="../ui/MainWindow.ui" line="286"/>
        <source>背景色(&amp;B)...</source>
        <translation>&amp;Background Colour...</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="201"/>
        <location filename="../ui/MainWindow.ui" line="294"/>
        <source>背景透過(&amp;A)</source>
        <translation>Desktop &amp;As Background</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="209"/>
        <source>実際の背景を透かす(&amp;L)</source>
        <translation>&amp;Live See-Through</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="217"/>
        <location filename="../ui/MainWindow.ui" line="302"/>
        <source>背景取得(&amp;G)</source>
        <translation>&amp;Get Background</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.ui" line="222"/>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/ExportCommands.cpp" line="24"/>
        <source>bmpファイル (*.BMP *.bmp)</source>
        <translation>BMP pictures (*.BMP *.bmp)</translation>
    </message>
    <message>
        <location filename="../ui/ExportCommands.cpp" line="25"/>
        <source>jpgファイル (*.JPG *.jpg)</source>
        <translation>JPEG pictures (*.JPG *.jpg)</translation>
    </message>
    <message>
        <location filename="../ui/ExportCommands.cpp" line="26"/>
        <source>pngファイル (*.PNG *.png)</source>
        <translation>PNG pictures (*.PNG *.png)</translation>
    </message>
    <message>
        <location filename="../ui/ExportCommands.cpp" line="27"/>
        <source>svgファイル (*.SVG *.svg)</source>
        <translation>SVG pictures (*.SVG *.svg)</translation>
    </message>
    <message>
        <location filename="../ui/ExportCommands.cpp" line="82"/>
        <source>%1 に保存しています...</source>
        <translation>Saving %1...</translation>
    </message>
    <message>
        <location filename="../ui/ExportCommands.cpp" line="83"/>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../ui/ExportCommands.cpp" line="115"/>
        <source>メモリが足りないため、%1 x %2 の画像をクリップボードにコピーできません</source>
        <translation>Not enough memory to copy a %1 x %2 picture to the clipboard</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="57"/>
        <source>設定ファイル %1 を保存できません
%2</source>
        <translation>Cannot save the settings file %1
%2</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.cpp" line="89"/>
        <source>星</source>
        <translation>Star</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.cpp" line="90"/>
        <source>ステータスバー</source>
        <translation>Status bar</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.cpp" line="776"/>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <location filename="../ui/MainWindow.cpp" line="776"/>
        <source>ファイルに保存しますか?</source>
        <translation>Save the picture to a file?</translation>
    </message>
    <message>
        <source>画像に名前を付けて保存</source>
        <translation>Save the picture as</translation>
    </message>
</context>
<context>
    <name>PictureOptions</name>
    <message>
        <location filename="../ui/PictureOptions.cpp" line="39"/>
        <source> (背景は透明になりません)</source>
        <translation> (background not transparent)</translation>
    </message>
</context>
<context>
    <name>RotationPalette</name>
    <message>
        <location filename="../ui/RotationPalette.ui" line="12"/>
        <source>Vantrell</source>
        <translation>Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/RotationPalette.ui" line="6"/>
        <location filename="../ui/RotationPalette.ui" line="22"/>
        <source>回転</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <location filename="../ui/RotationPalette.ui" line="33"/>
        <source>-90度</source>
        <translation>-90°</translation>
    </message>
    <message>
        <location filename="../ui/RotationPalette.ui" line="44"/>
        <source>回転角</source>
        <translation>Rotation angle</translation>
    </message>
    <message>
        <location filename="../ui/RotationPalette.ui" line="76"/>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <location filename="../ui/RotationPalette.cpp" line="18"/>
        <source>%1度</source>
        <translation>%1°</translation>
    </message>
</context>
<context>
    <name>ShapePalette</name>
    <message>
        <location filename="../ui/ShapePalette.ui" line="6"/>
        <source>形</source>
        <translation>Shape</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="12"/>
        <source>Vantrell</source>
        <translation>Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="22"/>
        <location filename="../ui/ShapePalette.ui" line="27"/>
        <location filename="../ui/ShapePalette.ui" line="47"/>
        <source>先端の丸み</source>
        <translation>Tip rounding</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="59"/>
        <location filename="../ui/ShapePalette.ui" line="110"/>
        <location filename="../ui/ShapePalette.ui" line="161"/>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="73"/>
        <location filename="../ui/ShapePalette.ui" line="78"/>
        <location filename="../ui/ShapePalette.ui" line="98"/>
        <source>谷の丸み</source>
        <translation>Valley rounding</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="124"/>
        <location filename="../ui/ShapePalette.ui" line="129"/>
        <location filename="../ui/ShapePalette.ui" line="149"/>
        <source>不規則さ</source>
        <translation>Irregularity</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="175"/>
        <location filename="../ui/ShapePalette.ui" line="180"/>
        <source>乱数の種</source>
        <translation>Seed</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="194"/>
        <source>新しい種</source>
        <translation>New</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="208"/>
        <location filename="../ui/ShapePalette.ui" line="213"/>
        <location filename="../ui/ShapePalette.ui" line="233"/>
        <source>線の太さ</source>
        <translation>Line width</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="256"/>
        <location filename="../ui/ShapePalette.ui" line="261"/>
        <source>線の色</source>
        <translation>Line colour</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="275"/>
        <source>星と同じ色</source>
        <translation>As the star</translation>
    </message>
    <message>
        <location filename="../ui/ShapePalette.ui" line="283"/>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>SizeDialog</name>
    <message>
        <location filename="../ui/SizeDialog.ui" line="9"/>
        <source>Vantrell</source>
        <translation>Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/SizeDialog.ui" line="30"/>
        <location filename="../ui/SizeDialog.ui" line="35"/>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <location filename="../ui/SizeDialog.ui" line="52"/>
        <location filename="../ui/SizeDialog.ui" line="57"/>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <location filename="../ui/SizeDialog.ui" line="71"/>
        <source>幅と高さを同じに</source>
        <translation>Width = height</translation>
    </message>
    <message>
        <location filename="../ui/SizeDialog.ui" line="79"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../ui/SizeDialog.ui" line="90"/>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>描画領域のサイズ</source>
        <translation>Drawing area size</translation>
    </message>
</context>
<context>
    <name>SpokenUndo</name>
    <message>
        <location filename="../ui/SpokenUndo.cpp" line="1"/>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <location filename="../ui/SpokenUndo.cpp" line="1"/>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <location filename="../ui/SpokenUndo.cpp" line="1"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../ui/SpokenUndo.cpp" line="1"/>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>StarDescription</name>
    <message>
        <location filename="../ui/StarDescription.cpp" line="1"/>
        <source>内側の半径 %1 %</source>
        <translation>inner radius %1 %</translation>
    </message>
    <message>
        <location filename="../ui/StarDescription.cpp" line="1"/>
        <source>外側の半径 %1 %</source>
        <translation>outer radius %1 %</translation>
    </message>
    <message>
        <location filename="../ui/StarDescription.cpp" line="20"/>
        <source>ヴァントレル %1 個、内側の半径 %2 %、外側の半径 %3 %、回転 %4°、ねじれ 外側 %5 % 内側 %6 %、中心のずれ 横 %7 % 縦 %8 %</source>
        <translation>%1 jags, inner radius %2 %, outer radius %3 %, rotation %4°, twist outer %5 % inner %6 %, centre shift horizontal %7 % vertical %8 %</translation>
    </message>
    <message>
        <location filename="../ui/StarDescription.cpp" line="31"/>
        <source>塗りつぶし</source>
        <translation>filled</translation>
    </message>
    <message>
        <location filename="../ui/StarDescription.cpp" line="32"/>
        <source>輪郭のみ</source>
        <translation>outline only</translation>
    </message>
    <message>
        <location filename="../ui/StarDescription.cpp" line="34"/>
        <source>、%1、星の色 %2</source>
        <translation>, %1, star colour %2</translation>
    </message>
    <message>
        <location filename="../ui/StarDescription.cpp" line="36"/>
        <source>、背景の色 %1</source>
        <translation>, background colour %1</translation>
    </message>
    <message>
        <location filename="../ui/StarDescription.cpp" line="37"/>
        <source>、背景はデスクトップ</source>
        <translation>, the desktop behind it</translation>
    </message>
    <message>
        <location filename="../ui/StarDescription.cpp" line="40"/>
        <source>、先端の丸み %1 %、谷の丸み %2 %、不規則さ %3 % (種 %4)、線の太さ %5、線の色 %6</source>
        <translation>, tip rounding %1 %, valley rounding %2 %, irregularity %3 % (seed %4), line width %5, line colour %6</translation>
    </message>
</context>
<context>
    <name>StarFiles</name>
    <message>
        <location filename="../ui/StarFiles.cpp" line="25"/>
        <source>設定ファイル (*.def)</source>
        <translation>Star files (*.def)</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="26"/>
        <source>すべてのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="69"/>
        <source>設定ファイル %1 には、この版の知らないデータがあります。星はこの版の知っている値で開きました。そのデータを失わないよう、設定保存はこのファイルを上書きせず、別の名前で保存します。</source>
        <translation>The settings file %1 holds data this version does not know. The star was opened with the values this version knows; so that the data is not lost, Save Settings will not save over this file but under another name.</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="130"/>
        <source>設定ファイル %1 には、この版の知らないデータがあり、上書きすると失われます。別の名前で保存しますか?</source>
        <translation>The settings file %1 holds data this version does not know, which saving over it would lose. Save under another name?</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="134"/>
        <source>設定ファイル %1 は読み取り専用です。別の名前で保存しますか?</source>
        <translation>The settings file %1 is read-only. Save under another name?</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="140"/>
        <source>設定に名前を付けて保存...</source>
        <translation>Save Settings As...</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="146"/>
        <source>設定ファイル %1 は開いた後でほかのプログラムに変更されています。置き換えますか?</source>
        <translation>The settings file %1 was changed by another program after it was opened. Replace it?</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="157"/>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="158"/>
        <source>設定ファイル %1 への変更を保存しますか?</source>
        <translation>Save the changes to the settings file %1?</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="162"/>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="164"/>
        <source>破棄(&amp;D)</source>
        <translation>&amp;Discard</translation>
    </message>
    <message>
        <location filename="../ui/StarFiles.cpp" line="165"/>
        <source>キャンセル(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>設定ファイルを開く</source>
        <translation>Open a star file</translation>
    </message>
    <message>
        <source>設定に名前を付けて保存</source>
        <translation>Save the settings as</translation>
    </message>
</context>
<context>
    <name>TwistPalette</name>
    <message>
        <location filename="../ui/TwistPalette.ui" line="12"/>
        <source>Vantrell</source>
        <translation>Vantrell</translation>
    </message>
    <message>
        <location filename="../ui/TwistPalette.ui" line="6"/>
        <location filename="../ui/TwistPalette.ui" line="19"/>
        <source>捩じる</source>
        <translation>Twist</translation>
    </message>
    <message>
        <location filename="../ui/TwistPalette.ui" line="33"/>
        <source>外側</source>
        <translation>Outer</translation>
    </message>
    <message>
        <location filename="../ui/TwistPalette.ui" line="41"/>
        <source>外側のねじれ</source>
        <translation>Outer twist</translation>
    </message>
    <message>
        <location filename="../ui/TwistPalette.ui" line="73"/>
        <location filename="../ui/TwistPalette.ui" line="130"/>
        <source>-1000%</source>
        <translation>-1000%</translation>
    </message>
    <message>
        <location filename="../ui/TwistPalette.ui" line="90"/>
        <source>内側</source>
        <translation>Inner</translation>
    </message>
    <message>
        <location filename="../ui/TwistPalette.ui" line="98"/>
        <source>内側のねじれ</source>
        <translation>Inner twist</translation>
    </message>
    <message>
        <location filename="../ui/TwistPalette.ui" line="144"/>
        <source>同期</source>
        <translation>Sync</translation>
    </message>
    <message>
        <location filename="../ui/TwistPalette.ui" line="155"/>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>UpDown</name>
    <message>
        <location filename="../ui/UpDown.cpp" line="15"/>
        <source>増やす</source>
        <translation>Increase</translation>
    </message>
    <message>
        <location filename="../ui/UpDown.cpp" line="16"/>
        <source>減らす</source>
        <translation>Decrease</translation>
    </message>
</context>
</TS>
