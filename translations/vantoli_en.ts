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
        <source>合計（ブランク込み） %1&#x3000;&#x3000;テープの残り %2</source>
        <translation>Total with blanks %1    Tape left %2</translation>
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
    <message>
        <source>カウンター</source>
        <translation>Counter</translation>
    </message>
    <message>
        <source>印刷の機能を読み込めませんでした。</source>
        <translation>Printing could not be loaded.</translation>
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
    <name>DiscLookup</name>
    <message>
        <source>MusicBrainz で曲名を調べています...</source>
        <translation>Looking up the titles on MusicBrainz...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>曲名の検索</source>
        <translation>Title Lookup</translation>
    </message>
    <message>
        <source>MusicBrainz にこのCDは見つかりませんでした。</source>
        <translation>This CD was not found on MusicBrainz.</translation>
    </message>
    <message>
        <source>MusicBrainz に接続できませんでした。曲名は調べていません。</source>
        <translation>Could not connect to MusicBrainz. The titles were not looked up.</translation>
    </message>
    <message>
        <source>MusicBrainz から応答がありませんでした。曲名は調べていません。</source>
        <translation>MusicBrainz did not answer. The titles were not looked up.</translation>
    </message>
    <message>
        <source>曲名の検索を中止しました。</source>
        <translation>Title lookup cancelled.</translation>
    </message>
    <message>
        <source>MusicBrainz の応答が大きすぎます。曲名は調べていません。</source>
        <translation>The answer from MusicBrainz is too large. The titles were not looked up.</translation>
    </message>
    <message>
        <source>MusicBrainz の応答が別のサーバーへの転送だったため、断りました。曲名は調べていません。</source>
        <translation>MusicBrainz answered with a redirect to another server, which was refused. The titles were not looked up.</translation>
    </message>
    <message>
        <source>MusicBrainz の応答を読み取れませんでした。曲名は調べていません。</source>
        <translation>Could not read the answer from MusicBrainz. The titles were not looked up.</translation>
    </message>
    <message>
        <source>リリースを選ばなかったので、曲名は変えていません。</source>
        <translation>No release was chosen, so the titles were left as they were.</translation>
    </message>
    <message>
        <source>MusicBrainz から曲名を読み込みました。</source>
        <translation>Titles read from MusicBrainz.</translation>
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
    <message>
        <source>フォルダーから読み取り(&amp;F)...</source>
        <translation>Read from Fold&amp;er...</translation>
    </message>
    <message>
        <source>曲リストを貼り付け...</source>
        <translation>&amp;Paste Track List...</translation>
    </message>
    <message>
        <source>テープを開く(&amp;T)...</source>
        <translation>Open &amp;Tape...</translation>
    </message>
    <message>
        <source>テープを保存(&amp;V)...</source>
        <translation>Sa&amp;ve Tape...</translation>
    </message>
    <message>
        <source>最近使ったテープ(&amp;U)</source>
        <translation>Rece&amp;nt Tapes</translation>
    </message>
    <message>
        <source>テープにダビング(&amp;D)...</source>
        <translation>&amp;Dub to Tape...</translation>
    </message>
    <message>
        <source>CDの曲名をインターネットで調べる（MusicBrainz）</source>
        <translation>Look Up CD Titles Online (MusicBrainz)</translation>
    </message>
    <message>
        <source>全曲が収まるいちばん短いテープを選び、A面とB面の時間もなるべくそろえます（「オリジナルの曲順にこだわる」とは同時に使えません）</source>
        <translation>Chooses the shortest tape that holds every track, with sides as even as possible (not together with Keep the Original Track Order)</translation>
    </message>
    <message>
        <source>音声ファイルとプレイリスト (*.flac *.mp3 *.ogg *.oga *.opus *.wav *.aif *.aiff *.aifc *.m4a *.wma *.ape *.wv *.mpc *.tta *.spx *.m3u *.m3u8 *.cue *.csv);;すべてのファイル (*)</source>
        <translation>Audio files and playlists (*.flac *.mp3 *.ogg *.oga *.opus *.wav *.aif *.aiff *.aifc *.m4a *.wma *.ape *.wv *.mpc *.tta *.spx *.m3u *.m3u8 *.cue *.csv);;All files (*)</translation>
    </message>
    <message>
        <source>フォルダーから読み取り</source>
        <translation>Read from Folder</translation>
    </message>
    <message>
        <source>テープ</source>
        <translation>Tape</translation>
    </message>
    <message>
        <source>テープを開く</source>
        <translation>Open Tape</translation>
    </message>
    <message>
        <source>テープを保存</source>
        <translation>Save Tape</translation>
    </message>
    <message>
        <source>一覧を消去(&amp;C)</source>
        <translation>&amp;Clear List</translation>
    </message>
    <message>
        <source>前回の作業を復元しますか？</source>
        <translation>Restore your last work?</translation>
    </message>
    <message>
        <source>Vantoli テープ (*.vantoli);;すべてのファイル (*)</source>
        <translation>Vantoli tapes (*.vantoli);;All files (*)</translation>
    </message>
    <message>
        <source>CDを読み取っています…</source>
        <translation>Reading the CD…</translation>
    </message>
    <message>
        <source>音声ファイルを読み取っています…</source>
        <translation>Reading audio files…</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>入力したタイムで扱います（音声ファイルは使いません）</source>
        <translation>Planned with the typed time (the audio file is not used)</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>テープ「%1」の変更を保存しますか？</source>
        <translation>Save the changes to the tape “%1”?</translation>
    </message>
    <message>
        <source>保存しないと、変更は失われます。</source>
        <translation>Your changes will be lost if you don’t save them.</translation>
    </message>
    <message>
        <source>デッキの点検(&amp;K)...</source>
        <translation>Dec&amp;k Check...</translation>
    </message>
    <message>
        <source>複数のテープに分ける(&amp;M)...</source>
        <translation>Sever&amp;al Tapes...</translation>
    </message>
    <message>
        <source>途中で終わっている音声ファイルがあります。タイムを実際の長さに直しました。</source>
        <translation>An audio file ends early. Its time now is the length it really has.</translation>
    </message>
    <message>
        <source>%1 は %2 で終わっています（ファイルには %3 とあります）。</source>
        <translation>%1 ends at %2 (the file says %3).</translation>
    </message>
</context>
<context>
    <name>PasteTracks</name>
    <message>
        <source>曲リストを貼り付け</source>
        <translation>Paste Track List</translation>
    </message>
    <message>
        <source>お店や配信サービスの曲リストを貼り付けてください。1行に1曲、演奏時間（4:31 など）のある行を読み取ります。</source>
        <translation>Paste a track list from a shop or streaming page: one track a line, each with its time (such as 4:31).</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>タイム</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>曲名</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>アーティスト</source>
        <translation>Artist</translation>
    </message>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
    <message>
        <source>読み取れません: </source>
        <translation>Cannot read: </translation>
    </message>
    <message>
        <source>%1 曲を読み取りました。</source>
        <translation>Tracks read: %1.</translation>
    </message>
    <message>
        <source>曲ではありません: </source>
        <translation>Not a track: </translation>
    </message>
    <message>
        <source>曲でない行 %1 行を除きました（灰色で表示）。</source>
        <translation> Lines left out as no track: %1 (in grey).</translation>
    </message>
    <message>
        <source>読み取れない行が %1 行あります（赤で表示）。</source>
        <translation> Lines not read: %1 (in red).</translation>
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
    <name>ReleaseChooser</name>
    <message>
        <source>リリースの選択</source>
        <translation>Choose a Release</translation>
    </message>
    <message>
        <source>このCDは次のリリースに含まれています。曲名を使うものを選んでください。</source>
        <translation>This CD is part of the releases below. Choose the one whose titles to use.</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>アーティスト</source>
        <translation>Artist</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>国</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>形式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>バーコード</source>
        <translation>Barcode</translation>
    </message>
    <message>
        <source>曲数</source>
        <translation>Tracks</translation>
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
    <name>SeveralTapes</name>
    <message>
        <source>複数のテープ</source>
        <translation>Several Tapes</translation>
    </message>
    <message>
        <source>テープ %1 には曲が %2 曲あり、1 本のテープで扱える %3 曲を超えています。</source>
        <translation>Tape %1 holds %2 tracks, more than the %3 a tape can take.</translation>
    </message>
    <message>
        <source>複数のテープに分ける</source>
        <translation>Several Tapes</translation>
    </message>
    <message>
        <source>アルバム（この順にテープに入れます。フォルダーやファイルをドロップできます）</source>
        <translation>Albums (they go onto the tapes in this order; drop folders or files here)</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>音声ファイルやプレイリストから(&amp;F)...</source>
        <translation>From Audio &amp;Files or Playlists...</translation>
    </message>
    <message>
        <source>フォルダーから(&amp;D)...</source>
        <translation>From a Fol&amp;der...</translation>
    </message>
    <message>
        <source>削除(&amp;R)</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>上へ(&amp;U)</source>
        <translation>Move &amp;Up</translation>
    </message>
    <message>
        <source>下へ(&amp;W)</source>
        <translation>Move Do&amp;wn</translation>
    </message>
    <message>
        <source>曲の間に 5秒のブランクをいれる</source>
        <translation>Put a 5-Second Blank Between Tracks</translation>
    </message>
    <message>
        <source>このテープを開く(&amp;O)</source>
        <translation>&amp;Open This Tape</translation>
    </message>
    <message>
        <source>保存(&amp;S)...</source>
        <translation>&amp;Save...</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>アルバムを追加</source>
        <translation>Add an Album</translation>
    </message>
    <message>
        <source>アルバムを読み取っています…</source>
        <translation>Reading the albums…</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>アルバム %1</source>
        <translation>Album %1</translation>
    </message>
    <message>
        <source>（%1 曲・%2）</source>
        <translation> (%1 tracks, %2)</translation>
    </message>
    <message>
        <source>テープ</source>
        <translation>Tape</translation>
    </message>
    <message>
        <source>面</source>
        <translation>Side</translation>
    </message>
    <message>
        <source>アルバム</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>曲</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>曲名</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>アルバムを追加してください。</source>
        <translation>Add the albums.</translation>
    </message>
    <message>
        <source>テープに入れる曲がありません。</source>
        <translation>There are no tracks to put on tape.</translation>
    </message>
    <message>
        <source>（%1 分テープ）使用 %2・残り %3</source>
        <translation>(%1-minute tape) used %2, left %3</translation>
    </message>
    <message>
        <source>テープ %1 本、合計 %2 分。アルバムの途中で面が変わるところ %3 か所（うちテープをまたぐもの %4 か所）。</source>
        <translation>%1 tapes, %2 minutes in all. Albums change sides in %3 places (%4 of them across tapes).</translation>
    </message>
    <message>
        <source>複数のテープを保存</source>
        <translation>Save the Tapes</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>複数のテープ「%1」の変更を保存しますか？</source>
        <translation>Save the changes to the tapes “%1”?</translation>
    </message>
    <message>
        <source>保存しないと、アルバムの並びと計画は失われます。</source>
        <translation>If you don’t save, the albums and their plan will be lost.</translation>
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
    <message>
        <source>テープ(&amp;P)</source>
        <translation>Ta&amp;pes</translation>
    </message>
    <message>
        <source>カウンター(&amp;C)</source>
        <translation>&amp;Counter</translation>
    </message>
    <message>
        <source>テープの頭でデッキのカウンターを 0 にして再生し、2 か所で時間とカウンターを読んでください。
カウンターの進み方を求めて、レーベルに各曲の頭のカウンターを入れます。</source>
        <translation>Set the deck&apos;s counter to 0 at the start of a tape, play it, and note the time and the counter at two places.
From them the label gives each track&apos;s counter reading at its start.</translation>
    </message>
    <message>
        <source>レーベルにカウンターを入れる(&amp;U)</source>
        <translation>&amp;Use the counter on the label</translation>
    </message>
    <message>
        <source>例 5:00</source>
        <translation>e.g. 5:00</translation>
    </message>
    <message>
        <source>例 150</source>
        <translation>e.g. 150</translation>
    </message>
    <message>
        <source>例 40:00</source>
        <translation>e.g. 40:00</translation>
    </message>
    <message>
        <source>例 880</source>
        <translation>e.g. 880</translation>
    </message>
    <message>
        <source>時間（分:秒）</source>
        <translation>Time (m:ss)</translation>
    </message>
    <message>
        <source>カウンター</source>
        <translation>Counter</translation>
    </message>
    <message>
        <source>読み 1(&amp;1):</source>
        <translation>Reading &amp;1:</translation>
    </message>
    <message>
        <source>読み 2(&amp;2):</source>
        <translation>Reading &amp;2:</translation>
    </message>
    <message>
        <source>2 か所の読みを入力してください。</source>
        <translation>Enter two readings.</translation>
    </message>
</context>
<context>
    <name>Version</name>
    <message>
        <source>バージョン情報</source>
        <translation>About Vantoli</translation>
    </message>
</context>
<context>
    <name>vantoli::DeckCheck</name>
    <message>
        <source>録音が止まりました。</source>
        <translation>The recording stopped.</translation>
    </message>
    <message>
        <source>再生が止まりました。</source>
        <translation>The playback stopped.</translation>
    </message>
    <message>
        <source>テストプログラムを録音しました。テープを巻き戻し、［測定］を押してから再生してください。</source>
        <translation>The test program is on the tape. Rewind it, press Measure, then play it back.</translation>
    </message>
    <message>
        <source>デッキの点検</source>
        <translation>Deck Check</translation>
    </message>
    <message>
        <source>出力先(&amp;O):</source>
        <translation>&amp;Output:</translation>
    </message>
    <message>
        <source>入力元(&amp;I):</source>
        <translation>&amp;Input:</translation>
    </message>
    <message>
        <source>テストプログラムを録音(&amp;R)</source>
        <translation>&amp;Record Test Tape</translation>
    </message>
    <message>
        <source>録音ファイルを測る(&amp;F)...</source>
        <translation>Measure a &amp;File...</translation>
    </message>
    <message>
        <source>レポートを保存(&amp;S)...</source>
        <translation>&amp;Save Report...</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>再生中の読み取り</source>
        <translation>While the tape plays</translation>
    </message>
    <message>
        <source>測定結果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>ワウ・フラッター（直近 5 秒）</source>
        <translation>Wow and flutter (last 5 s)</translation>
    </message>
    <message>
        <source>既定の出力</source>
        <translation>Default output</translation>
    </message>
    <message>
        <source>既定の入力</source>
        <translation>Default input</translation>
    </message>
    <message>
        <source>再生を止める(&amp;R)</source>
        <translation>Stop the Test P&amp;rogram</translation>
    </message>
    <message>
        <source>測定を終える(&amp;M)</source>
        <translation>Finish &amp;Measuring</translation>
    </message>
    <message>
        <source>測定(&amp;M)</source>
        <translation>&amp;Measure</translation>
    </message>
    <message>
        <source>再生を止めました。</source>
        <translation>The test program was stopped.</translation>
    </message>
    <message>
        <source>作業用のフォルダーを作れません。</source>
        <translation>Cannot make a working folder.</translation>
    </message>
    <message>
        <source>テストプログラムを作っています...</source>
        <translation>Making the test program...</translation>
    </message>
    <message>
        <source>デッキを録音にして、テストプログラム（約 2 分）を録音してください。</source>
        <translation>Set the deck to record and record the test program (about 2 minutes).</translation>
    </message>
    <message>
        <source>録音しています。デッキでテストテープを最初から再生し、終わったら［測定を終える］を押してください。</source>
        <translation>Recording. Play the test tape on the deck from its start, then press Finish Measuring.</translation>
    </message>
    <message>
        <source>録音ファイルを測る</source>
        <translation>Measure a Recording</translation>
    </message>
    <message>
        <source>測っています...</source>
        <translation>Measuring...</translation>
    </message>
    <message>
        <source>録音を測れませんでした。</source>
        <translation>The recording could not be measured.</translation>
    </message>
    <message>
        <source>測定が終わりました。</source>
        <translation>Measured.</translation>
    </message>
    <message>
        <source>トーン %1 Hz、速度 %2 %</source>
        <translation>Tone %1 Hz, speed %2 %</translation>
    </message>
    <message>
        <source>トーン %1 Hz</source>
        <translation>Tone %1 Hz</translation>
    </message>
    <message>
        <source>トーンなし</source>
        <translation>No tone</translation>
    </message>
    <message>
        <source>アジマスの位相 %1°</source>
        <translation>Azimuth phase %1°</translation>
    </message>
    <message>
        <source>アジマスの位相（1 kHz と 10 kHz の間）</source>
        <translation>Azimuth phase (during 1 kHz and 10 kHz)</translation>
    </message>
</context>
<context>
    <name>vantoli::Dubbing</name>
    <message>
        <source>ダビング</source>
        <translation>Dubbing</translation>
    </message>
    <message>
        <source>A 面(&amp;A)</source>
        <translation>Side &amp;A</translation>
    </message>
    <message>
        <source>B 面(&amp;B)</source>
        <translation>Side &amp;B</translation>
    </message>
    <message>
        <source>B 面 — 曲なし(&amp;B)</source>
        <translation>Side &amp;B — no tracks</translation>
    </message>
    <message>
        <source>この構成案では B 面に録音する曲がありません</source>
        <translation>This plan puts no tracks on side B</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>曲名</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Length</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> s</translation>
    </message>
    <message>
        <source>そのまま</source>
        <translation>Unchanged</translation>
    </message>
    <message>
        <source>曲ごとにそろえる</source>
        <translation>Normalize per track</translation>
    </message>
    <message>
        <source>アルバムごとにそろえる</source>
        <translation>Normalize per album</translation>
    </message>
    <message>
        <source>カウントダウンで音を鳴らす(&amp;E)</source>
        <translation>B&amp;eep during the count-down</translation>
    </message>
    <message>
        <source>リードイン(&amp;I):</source>
        <translation>Lead-&amp;in:</translation>
    </message>
    <message>
        <source>音量(&amp;V):</source>
        <translation>&amp;Volume:</translation>
    </message>
    <message>
        <source>出力先(&amp;O):</source>
        <translation>&amp;Output:</translation>
    </message>
    <message>
        <source>再生(&amp;P)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>一時停止(&amp;U)</source>
        <translation>Pa&amp;use</translation>
    </message>
    <message>
        <source>停止(&amp;S)</source>
        <translation>&amp;Stop</translation>
    </message>
    <message>
        <source>基準音(&amp;T)</source>
        <translation>&amp;Test Tone</translation>
    </message>
    <message>
        <source>最大音量部(&amp;L)</source>
        <translation>&amp;Loudest Part</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>レベル (dBFS)</source>
        <translation>Level (dBFS)</translation>
    </message>
    <message>
        <source>タイマー (CD プレーヤーで再生)</source>
        <translation>Timer (play on a CD player)</translation>
    </message>
    <message>
        <source>音声を再生</source>
        <translation>Plays the audio</translation>
    </message>
    <message>
        <source>既定の出力</source>
        <translation>Default output</translation>
    </message>
    <message>
        <source>既定の出力 (%1)</source>
        <translation>Default output (%1)</translation>
    </message>
    <message>
        <source>録音レベルを合わせてください</source>
        <translation>Set the recording level</translation>
    </message>
    <message>
        <source>面の経過 %1 ／ 面の残り %2 ／ テープの残り %3</source>
        <translation>Side: %1 gone, %2 left / Tape: %3 left</translation>
    </message>
    <message>
        <source>トラック %1 %2  経過 %3 ／ 残り %4</source>
        <translation>Track %1 %2  %3 gone / %4 left</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>無音</source>
        <translation>Silence</translation>
    </message>
    <message>
        <source>（トラック %1 は入力したタイム）</source>
        <translation> (typed time: track %1)</translation>
    </message>
    <message>
        <source>テープを確かめる(&amp;K)...</source>
        <translation>Chec&amp;k the Tape...</translation>
    </message>
    <message>
        <source>録音したテープを再生して、各トラックの位置と音の乱れを確かめます</source>
        <translation>Play the recorded tape back and check where each track is and what went wrong</translation>
    </message>
</context>
<context>
    <name>vantoli::LevelMeter</name>
    <message>
        <source>無音</source>
        <translation>silent</translation>
    </message>
    <message>
        <source>%1 のレベル メーター: ピーク %2、平均 %3、ピークホールド %4</source>
        <translation>%1 level meter: peak %2, average %3, peak hold %4</translation>
    </message>
</context>
<context>
    <name>vantoli::PlanChild</name>
    <message>
        <source>vantoli-plan を起動できません（%1）。</source>
        <translation>Cannot start vantoli-plan (%1).</translation>
    </message>
</context>
<context>
    <name>vantoli::ReportFile</name>
    <message>
        <source>音声ファイル (*.wav *.flac *.mp3 *.ogg *.opus *.m4a);;すべてのファイル (*)</source>
        <translation>Audio files (*.wav *.flac *.mp3 *.ogg *.opus *.m4a);;All files (*)</translation>
    </message>
    <message>
        <source>レポートを PDF に保存</source>
        <translation>Save the Report as PDF</translation>
    </message>
    <message>
        <source>保存エラー</source>
        <translation>Save Error</translation>
    </message>
</context>
<context>
    <name>vantoli::SidePlayer</name>
    <message>
        <source>%1 を起動できません。</source>
        <translation>Cannot start %1.</translation>
    </message>
    <message>
        <source>音声を再生するプロセスが異常終了しました。</source>
        <translation>The process that plays the sound stopped unexpectedly.</translation>
    </message>
</context>
<context>
    <name>vantoli::TapeCheckWindow</name>
    <message>
        <source>録音が止まりました。</source>
        <translation>The recording stopped.</translation>
    </message>
    <message>
        <source>B面</source>
        <translation>Side B</translation>
    </message>
    <message>
        <source>A面</source>
        <translation>Side A</translation>
    </message>
    <message>
        <source>テープの確認</source>
        <translation>Check the Tape</translation>
    </message>
    <message>
        <source>%1（%2 曲、%3）を録音したテープを確かめます。</source>
        <translation>Checks the tape that %1 (%2 tracks, %3) was recorded onto.</translation>
    </message>
    <message>
        <source>入力元(&amp;I):</source>
        <translation>&amp;Input:</translation>
    </message>
    <message>
        <source>録音ファイルを確かめる(&amp;F)...</source>
        <translation>Check a Recording &amp;File...</translation>
    </message>
    <message>
        <source>レポートを保存(&amp;S)...</source>
        <translation>&amp;Save Report...</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>既定の入力</source>
        <translation>Default input</translation>
    </message>
    <message>
        <source>テープを面の始めまで巻き戻し、［聞き始める］を押してからデッキで再生してください。</source>
        <translation>Rewind the tape to the start of the side, press [Start Listening], then play it on the deck.</translation>
    </message>
    <message>
        <source>聞き終えて確かめる(&amp;L)</source>
        <translation>Stop &amp;Listening and Check</translation>
    </message>
    <message>
        <source>聞き始める(&amp;L)</source>
        <translation>Start &amp;Listening</translation>
    </message>
    <message>
        <source>作業用のフォルダーを作れません。</source>
        <translation>Cannot make a working folder.</translation>
    </message>
    <message>
        <source>聞いています。デッキでテープを再生してください。面が終わったら自動で確かめます。</source>
        <translation>Listening. Play the tape on the deck; the check starts by itself when the side is over.</translation>
    </message>
    <message>
        <source>録音を閉じています...</source>
        <translation>Closing the recording...</translation>
    </message>
    <message>
        <source>録音ファイルを確かめる</source>
        <translation>Check a Recording File</translation>
    </message>
    <message>
        <source>録音と面を比べています...</source>
        <translation>Comparing the recording with the side...</translation>
    </message>
    <message>
        <source>録音を確かめられませんでした。</source>
        <translation>The recording could not be checked.</translation>
    </message>
    <message>
        <source>確認が終わりました。</source>
        <translation>The check is done.</translation>
    </message>
    <message>
        <source>テープの確認（%1）</source>
        <translation>Tape Check (%1)</translation>
    </message>
</context>
</TS>
