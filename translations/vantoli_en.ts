<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CassetteLabel</name>
    <message>
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>曲名</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>曲名はダブルクリックするか、選んで入力すると書き換えられます</source>
        <translation>Double-click a title, or select it and type, to change it</translation>
    </message>
    <message>
        <source>合計 %1&#x3000;&#x3000;テープの残り %2</source>
        <translation>Total %1    Tape left %2</translation>
    </message>
    <message>
        <source>カセットレーベル</source>
        <translation>Cassette Label</translation>
    </message>
    <message>
        <source>例：TYPE II、Dolby B、2024年8月31日録音</source>
        <translation>e.g. TYPE II, Dolby B, recorded 31 Aug 2024</translation>
    </message>
    <message>
        <source>タイトル(&amp;T):</source>
        <translation>&amp;Title:</translation>
    </message>
    <message>
        <source>アーティスト(&amp;A):</source>
        <translation>&amp;Artist:</translation>
    </message>
    <message>
        <source>メモ(&amp;M):</source>
        <translation>&amp;Memo:</translation>
    </message>
    <message>
        <source>A面(&amp;1)</source>
        <translation>Side A (&amp;1)</translation>
    </message>
    <message>
        <source>B面(&amp;2)</source>
        <translation>Side B (&amp;2)</translation>
    </message>
    <message>
        <source>プレビュー</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>PDFに保存(&amp;P)...</source>
        <translation>Save as &amp;PDF...</translation>
    </message>
    <message>
        <source>印刷(&amp;R)...</source>
        <translation>P&amp;rint...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>PDFに保存</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>カセットレーベルの印刷</source>
        <translation>Print Cassette Label</translation>
    </message>
    <message>
        <source>保存エラー</source>
        <translation>Save Error</translation>
    </message>
    <message>
        <source>PDF を作れませんでした。</source>
        <translation>The PDF could not be made.</translation>
    </message>
    <message>
        <source>印刷エラー</source>
        <translation>Print Error</translation>
    </message>
    <message>
        <source>プリンターに印刷できませんでした。</source>
        <translation>The label could not be printed.</translation>
    </message>
    <message>
        <source>A面</source>
        <translation>Side A</translation>
    </message>
    <message>
        <source>B面</source>
        <translation>Side B</translation>
    </message>
    <message>
        <source>A面 %1&#x3000;B面 %2</source>
        <translation>Side A %1  Side B %2</translation>
    </message>
    <message>
        <source>実線で切り取り、点線で山折りにします。倍率 100% で印刷してください。</source>
        <translation>Cut along the solid lines and fold outwards along the dotted lines. Print at 100% scale.</translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source> オリジナルの曲順にこだわる</source>
        <translation> Keep the original track order</translation>
    </message>
    <message>
        <source> 曲の間 5秒のにブランクを入れる</source>
        <translation> 5-second blank between tracks</translation>
    </message>
    <message>
        <source>全て</source>
        <translation>All</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Vantoli ヘルプ</source>
        <translation>Vantoli Help</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>トラック</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>タイム</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>使用するテープ ：</source>
        <translation>Tape to use:</translation>
    </message>
    <message>
        <source>構成案</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>トータル</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>ブランク</source>
        <translation>Blank</translation>
    </message>
    <message>
        <source>A 面</source>
        <translation>Side A</translation>
    </message>
    <message>
        <source>B 面</source>
        <translation>Side B</translation>
    </message>
    <message>
        <source>合 計</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>実行(&amp;R)</source>
        <translation>&amp;Run</translation>
    </message>
    <message>
        <source>タイムを計測して構成案を表示します</source>
        <translation>Adds up the times and shows the plan</translation>
    </message>
    <message>
        <source>クリア(&amp;C)</source>
        <translation>&amp;Clear</translation>
    </message>
    <message>
        <source>入力した値を全てクリアします</source>
        <translation>Clears every entry</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>CDから読み取り(&amp;R)</source>
        <translation>&amp;Read from CD</translation>
    </message>
    <message>
        <source>音声ファイルから読み取り(&amp;M)...</source>
        <translation>Read from Audio &amp;Files...</translation>
    </message>
    <message>
        <source>保存していたパターンを開く(&amp;O)...</source>
        <translation>&amp;Open Saved Pattern...</translation>
    </message>
    <message>
        <source>入力状態を保存(&amp;S)...</source>
        <translation>&amp;Save Entries...</translation>
    </message>
    <message>
        <source>カセットレーベルを作成(&amp;L)...</source>
        <translation>Make Cassette &amp;Label...</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>オリジナルの曲順にこだわる</source>
        <translation>Keep the Original Track Order</translation>
    </message>
    <message>
        <source>曲の間に 5秒のブランクをいれる</source>
        <translation>Put a 5-Second Blank Between Tracks</translation>
    </message>
    <message>
        <source>最短のテープを探す（曲の組み合わせを最適化）</source>
        <translation>Find the Shortest Tape (Best Split of Tracks)</translation>
    </message>
    <message>
        <source>一括設定(&amp;A)...</source>
        <translation>Set &amp;All...</translation>
    </message>
    <message>
        <source>テープの種類(&amp;T)...</source>
        <translation>&amp;Tape Types...</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>トピック(&amp;T)...</source>
        <translation>&amp;Topics...</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Vantoli</translation>
    </message>
    <message>
        <source>音声ファイルとプレイリスト (*.flac *.mp3 *.ogg *.oga *.opus *.wav *.aif *.aiff *.aifc *.m4a *.wma *.ape *.wv *.mpc *.tta *.spx *.m3u *.m3u8 *.cue);;すべてのファイル (*)</source>
        <translation>Audio files and playlists (*.flac *.mp3 *.ogg *.oga *.opus *.wav *.aif *.aiff *.aifc *.m4a *.wma *.ape *.wv *.mpc *.tta *.spx *.m3u *.m3u8 *.cue);;All files (*)</translation>
    </message>
    <message>
        <source>音声ファイルから読み取り</source>
        <translation>Read from Audio Files</translation>
    </message>
    <message>
        <source>システムに合わせる</source>
        <translation>Follow the System</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>日本語 (Japanese)</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>言語 (Language)</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>PatternFile</name>
    <message>
        <source>保存エラー</source>
        <translation>Save Error</translation>
    </message>
    <message>
        <source>読み込みエラー</source>
        <translation>Open Error</translation>
    </message>
    <message>
        <source>トラック %1の<byte value="xd"/>%2<byte value="xd"/>修正してから保存してください。</source>
        <translation>Track %1:<byte value="xd"/>%2<byte value="xd"/>Correct it, then save.</translation>
    </message>
    <message>
        <source>Shift-JIS の文字コード変換が使えないため、パターンファイルを扱えません。</source>
        <translation>Pattern files cannot be used: the Shift-JIS converter is missing.</translation>
    </message>
    <message>
        <source>入力に改行が含まれているため、パターンファイルに保存できません。</source>
        <translation>The entry holds a line break, so it cannot be saved in a pattern file.</translation>
    </message>
    <message>
        <source>入力に、パターンファイルに保存できない文字が含まれています。</source>
        <translation>The entry holds a character a pattern file cannot store.</translation>
    </message>
    <message>
        <source>入力が長すぎるため、パターンファイルに保存できません。</source>
        <translation>The entry is too long to be saved in a pattern file.</translation>
    </message>
    <message>
        <source>「%1」はファイルではないため、開けません。</source>
        <translation>&quot;%1&quot; is not a file, so it cannot be opened.</translation>
    </message>
    <message>
        <source>ファイル「%1」を開けませんでした。<byte value="xd"/>%2</source>
        <translation>The file &quot;%1&quot; could not be opened.<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>ファイル「%1」を読み込めませんでした。<byte value="xd"/>%2</source>
        <translation>The file &quot;%1&quot; could not be read.<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>ファイル「%1」の %2 行目が長すぎます。<byte value="xd"/>Vantoli のパターンファイルではないようです。</source>
        <translation>Line %2 of the file &quot;%1&quot; is too long.<byte value="xd"/>It does not seem to be a Vantoli pattern file.</translation>
    </message>
    <message>
        <source>Vantoli データファイル (*.vto)</source>
        <translation>Vantoli data files (*.vto)</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>結果レポート</source>
        <translation>Report</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>「%1」はファイルではないため、保存できません。</source>
        <translation>&quot;%1&quot; is not a file, so nothing can be saved there.</translation>
    </message>
    <message>
        <source>書き込みが途中で止まりました。</source>
        <translation>Writing stopped part way.</translation>
    </message>
    <message>
        <source>ファイル「%1」に保存できませんでした。<byte value="xd"/>%2</source>
        <translation>The file &quot;%1&quot; could not be saved.<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source><byte value="xd"/>以前の内容はそのまま残っています。</source>
        <translation><byte value="xd"/>Its earlier contents are unchanged.</translation>
    </message>
</context>
<context>
    <name>TapeLineup</name>
    <message>
        <source>テープの種類</source>
        <translation>Tape Types</translation>
    </message>
    <message>
        <source>持っているテープにチェックを付けてください。
片面の時間は、実際に録音できた時間に合わせて変えられます。</source>
        <translation>Tick the tapes you have.
A side&apos;s time can be set to what really fits on it.</translation>
    </message>
    <message>
        <source>テープ</source>
        <translation>Tape</translation>
    </message>
    <message>
        <source>片面の時間</source>
        <translation>Side time</translation>
    </message>
    <message>
        <source>分:秒</source>
        <translation>min:s</translation>
    </message>
    <message>
        <source>追加する長さ:</source>
        <translation>Length to add:</translation>
    </message>
    <message>
        <source> 分</source>
        <translation> min</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>追加したテープを一覧から削除します</source>
        <translation>Removes an added tape from the list</translation>
    </message>
    <message>
        <source>標準に戻す(&amp;R)</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>10分から100分までの 14 種類のテープに戻します</source>
        <translation>Goes back to the 14 standard tapes, 10 to 100 minutes</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>追加したテープ</source>
        <translation>Added tape</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>%1の片面の時間</source>
        <translation>Side time of the %1</translation>
    </message>
</context>
<context>
    <name>Version</name>
    <message>
        <source>バージョン情報</source>
        <translation>About Vantoli</translation>
    </message>
</context>
</TS>
