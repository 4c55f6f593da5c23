;
; zorextss.hs: ZorExtSS のヘルプ (HSP ヘルプブラウザ用)
;
; stat の値は HSP が受け取る値 (命令の戻り値の符号を反転したもの) で書いています。
; 「エラー n で停止」とある場合は、命令が正の値 n を返し、
; HSP がそのエラーを表示してスクリプトを止めます (HSP 3 では 259 はエラー 21)。
;

%dll
zorextss
%ver
0.401
%date
2026/12/07
%author
ZorExtSS
%note
zorextss.as をインクルードしてください。
HSP 2.x と HSP 3.x の両方で、同じスクリプトのまま全命令が使えます。
HSP 3 では zorextss.as が #regcmd でプラグインとして登録し (#ifdef __hsp30__)、HSP 2 では #uselib と #func で宣言します。
命令の引数、stat の値、動作は両方で同じです。
「エラー n で停止」は HSP 3 でも同じ番号のエラーになります (3 パラメータの値が異常、5 パラメータが省略できない、6 パラメータの型が違う)。
ただしエラー 259 (ビットフィールドのマスクに未対応) は HSP 3 ではエラー 21 (サポートされない機能) になります。
HSP 3 で文字列配列の要素を渡すと、各要素の確保サイズを超える文字列はその要素の終わりで切られます。
%type
拡張命令
%port
Win


%index
ChkPval
変数のサイズ情報を調べる
%group
変数情報
%prm
var, k
var : 調べる変数
k : サイズ情報の番号 (0 から 4)
%inst
変数 var のサイズ情報 (HSP が変数ごとに持つ 5 つの 16 ビット値) の k 番目を stat に返します。
k = 1 は 1 要素の大きさ (4 バイト単位。文字列型では 1 つの文字列バッファのバイト数 / 4、整数型では要素数)、k = 2 は文字列配列の文字列の数 (配列でなければ 0 か 1) です。
変数の型は問いません。
^
stat : k 番目のサイズ情報 (0 から 65535)。k が 0 から 4 の範囲外なら 0
%sample
#include "zorextss.as"
	sdim s, 64, 3
	ChkPval s, 1 : mes "1 要素 = " + stat + " x 4 バイト"
	ChkPval s, 2 : mes "要素数 = " + stat
	stop


%index
BmpLoad
BMP ファイルを画面に読み込む
%group
BMP画像
%prm
"file"
"file" : BMP ファイル名
%inst
BMP ファイルを読み込み、カレントウィンドウの画面バッファにカレントポジション (pos の位置) を左上として描きます。カレントポジションが画面の外にある軸は 0 とみなし、画面からはみ出す部分は切り捨てます。
無圧縮 (BI_RGB) の 1/4/8/16/24/32 ビット画像と、BI_BITFIELDS (赤 $7C00/$F800/$FF0000、緑 $3E0/$7E0/$FF00、青 $1F/$FF のマスク) に対応します。RLE 圧縮は読めません。上下反転 (トップダウン) の画像は stat 259 になるか、何も描かれません。
パレットモードの画面では 1/4/8 ビット画像だけを読み、画像のカラーテーブルを画面のパレットとして設定します (HSP のパレットにも書き込みます)。フルカラー画面ではパレットは変わりません。
ウィンドウの再描画はしません。redraw などで表示を更新してください。
^
stat の値:
 0 : 成功
 1 : ファイルを開けない
 2 : ファイルが 58 バイトより短い
 3 : BMP ファイルでない (先頭が BM でない、または予約領域が 0 でない)
 4 : ヘッダのファイルサイズが 58 未満
 16 : メモリを確保できない
 32 : ファイルがヘッダのファイルサイズより短い (読めた分から描画済み)
 256 : 対応しないビット数
 257 : RLE などの対応しない圧縮形式、または BI_BITFIELDS で使用色数が 0 でない
 259 : 情報ヘッダが 40 バイト未満、または画素データがファイルサイズを超える
 512 : パレットモードの画面に 16/24/32 ビット画像を読もうとした
^
※ BI_BITFIELDS のマスクが上の組み合わせ以外のときは正の値 259 を返すため、HSP のエラーとしてスクリプトが停止します (HSP 3 ではエラー 21)。
%sample
#include "zorextss.as"
	pos 10, 10
	BmpLoad "sample.bmp"
	if stat ! 0 : mes "読み込めません stat=" + stat : stop
	redraw 1
	stop
%href
BmpInfo
GetClipDib
PiLoad


%index
BmpInfo
BMP ファイルの情報を調べる
%group
BMP画像
%prm
var, "file"
var : 結果を受け取る整数型配列変数 (7 要素以上)
"file" : BMP ファイル名
%inst
BMP ファイルのヘッダを読み、次の値を var に書き込みます。画素は読みません。
 var.0 : 圧縮形式 (0 BI_RGB、1 BI_BITFIELDS、2 RLE4、3 RLE8、65535 その他)
 var.1 : 幅、var.2 : 高さ、var.3 : ビット数、var.4 : ファイルサイズ
 var.5 : 水平解像度、var.6 : 垂直解像度 (ピクセル/メートル)
ヘッダの値はそのまま報告し、BmpLoad で読めるかどうかは調べません。
^
stat の値:
 0 : 成功 (7 つとも書き込み済み)
 1 : var が整数型でない
 2 : var の要素数が 7 未満
 16 : ファイルを開けない
 17 : ファイルが 58 バイトより短い
 18 : BMP ファイルでない (先頭が BM でない、または予約領域が 0 でない)
 19 : ヘッダのファイルサイズが 58 未満 (var.4 だけ書き込み済み)
%sample
#include "zorextss.as"
	dim info, 7
	BmpInfo info, "sample.bmp"
	if stat = 0 : mes "" + info.1 + " x " + info.2 + " " + info.3 + " ビット"
	stop
%href
BmpLoad


%index
GetClipTxt
クリップボードのテキストを取得
%group
クリップボード
%prm
var
var : テキストを受け取る文字列型変数
%inst
クリップボードのテキスト (CF_TEXT) を var にコピーします。改行などの変換はしません。
var に入りきらない部分は切り捨てます。文字列配列では配列全体を 1 つのバッファとして使います。
^
stat の値:
 0 : 成功
 1 : クリップボードを開けない
 2 : クリップボードにテキストがない
 3 : テキストのサイズが 0
 4 : テキストを読み出せない (ロックできない)
 65535 : var が整数型
^
※ var のバッファが 0 バイトのときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%sample
#include "zorextss.as"
	sdim s, 4096
	GetClipTxt s
	if stat = 0 : mes s
	stop
%href
Txt2Clip
GetClipInfo


%index
Txt2Clip
テキストをクリップボードにコピー
%group
クリップボード
%prm
var, most
var : コピーするテキストを持つ文字列型変数
most : コピーする最大バイト数 (0 以下なら変数に入る限り)
%inst
var のテキストをクリップボードにテキスト (CF_TEXT) として置きます。クリップボードの以前の内容は消えます。
most が 1 以上なら先頭から most バイトまでをコピーします。var は変わりません。
^
stat の値:
 0 : 成功
 1 : メモリを確保できない
 2 : クリップボードを開けない、空にできない、またはデータを受け取らない
 65535 : var が整数型
^
※ var のバッファが 0 バイトのときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%sample
#include "zorextss.as"
	sdim s, 64
	s = "ZorExtSS"
	Txt2Clip s, 0
	if stat = 0 : mes "コピーしました"
	stop
%href
GetClipTxt
Dib2Clip


%index
Dib2Clip
画面をクリップボードにコピー
%group
クリップボード
%prm

%inst
カレントウィンドウの画面バッファ全体をビットマップ (CF_DIB) としてクリップボードに置きます。パレットモードの画面では 256 色のカラーテーブルも付けます。クリップボードの以前の内容は消えます。
^
stat の値:
 0 : 成功
 1 : メモリを確保できない
 2 : クリップボードを開けない、空にできない、またはデータを受け取らない
%href
GetClipDib
Txt2Clip


%index
GetClipDib
クリップボードのビットマップを画面に描く
%group
クリップボード
%prm
x, y
x : 描く位置の X 座標 (画面の外なら 0)
y : 描く位置の Y 座標 (画面の外なら 0)
%inst
クリップボードのビットマップ (CF_DIB) を画面バッファの (x, y) を左上として描きます。
読める形式、パレットの扱い、はみ出しの切り捨ては BmpLoad と同じです。ウィンドウの再描画はしません。
^
stat の値:
 0 : 成功
 1 : クリップボードを開けない
 2 : クリップボードにビットマップがない
 3 : ビットマップのサイズが 0
 4 : ビットマップを読み出せない (ロックできない)
 256, 257, 259, 512 : BmpLoad と同じ
^
※ BI_BITFIELDS のマスクが対応外のときは正の値 259 を返すため、HSP のエラーとしてスクリプトが停止します (HSP 3 ではエラー 21)。
%sample
#include "zorextss.as"
	GetClipDib 0, 0
	if stat ! 0 : mes "ビットマップがありません stat=" + stat : stop
	redraw 1
	stop
%href
Dib2Clip
GetClipInfo
BmpLoad


%index
GetClipInfo
クリップボードの内容を調べる
%group
クリップボード
%prm
var
var : 結果を受け取る整数型配列変数 (5 要素以上)
%inst
クリップボードの内容を調べ、var に書き込みます。
 var.0 : 2 ビットマップがある、1 テキストだけがある、0 どちらもない
 var.1 : そのデータのバイト数
 var.2 : ビット数、var.3 : 幅、var.4 : 高さ (ビットマップのとき)
ビットマップがないときは var.2 と var.3 が 0 になり、var.4 は変わりません。
^
stat の値:
 0 : 成功
 1 : クリップボードを開けない
 2 : データのサイズが 0 (var.0 に種類を書き込み済み)
 3 : ビットマップのデータが 44 バイト未満 (var.0 と var.1 を書き込み済み)
 4 : データを読み出せない (ロックできない)
 65535 : var が整数型でない
^
※ var の要素数が 5 未満のときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します (var は変わりません)。
%sample
#include "zorextss.as"
	dim ci, 5
	GetClipInfo ci
	if ci.0 = 2 : mes "ビットマップ " + ci.3 + " x " + ci.4
	if ci.0 = 1 : mes "テキスト " + ci.1 + " バイト"
	stop
%href
GetClipTxt
GetClipDib


%index
PiInfo
Pi 画像ファイルの大きさを調べる
%group
Pi画像
%prm
var, "file"
var : 結果を受け取る整数型配列変数 (2 要素以上)
"file" : Pi ファイル名
%inst
Pi 画像ファイルのヘッダを読み、var.0 に幅、var.1 に高さを書き込みます。
ヘッダが大きさの手前で不正と分かったときは、var.0 と var.1 は -1 になります。
^
stat の値:
 0 : 成功
 1 : Pi ファイルでない (ヘッダが不正)
 2 : ファイルを開けない、または読めない
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が整数型でない)、3 (var の要素数が 2 未満)。
%sample
#include "zorextss.as"
	dim sz, 2
	PiInfo sz, "sample.pi"
	if stat = 0 : mes "" + sz.0 + " x " + sz.1
	stop
%href
PiInfoMem
PiLoad


%index
PiInfoMem
メモリ上の Pi 画像の大きさを調べる
%group
Pi画像
%prm
var
var : 結果を受け取る整数型配列変数 (2 要素以上)
%inst
SetPiMem で設定したメモリ上の Pi 画像について、PiInfo と同じく var.0 に幅、var.1 に高さを書き込みます。設定はそのまま残ります。
^
stat の値:
 0 : 成功
 1 : Pi 画像でない (ヘッダが不正)
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が整数型でない)、3 (var の要素数が 2 未満)、5 (SetPiMem でメモリ上の画像が設定されていない。PiLoad の後も設定なしになります)。
%href
SetPiMem
PiInfo
PiLoadMem


%index
SetPiMem
メモリ上の Pi 画像を設定する
%group
Pi画像
%prm
var, clear
var : Pi ファイルの内容を読み込んだ変数 (型は問わない)
clear : 0 以外なら設定を解除する
%inst
var の内容を、PiInfoMem と PiLoadMem が読むメモリ上の Pi 画像として設定します。
内容はコピーせず var のバッファを直接参照します。大きさは var のバッファ全体 (配列なら全要素) です。使い終わるまで var を変更したり作り直したりしないでください。
clear が 0 以外なら設定を解除します。PiLoad を実行しても設定は解除されます。
^
stat : 0
^
※ var の 1 要素の大きさが 0 のときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します (設定は変わりません)。
%sample
#include "zorextss.as"
	alloc buf, 65536
	bload "sample.pi", buf
	SetPiMem buf, 0
	PiLoadMem 0
	if stat ! 0 : mes "読み込めません stat=" + stat
	stop
%href
PiLoadMem
PiInfoMem
PiLoad


%index
PiLoad
Pi 画像ファイルを画面に読み込む
%group
Pi画像
%prm
"file", flags
"file" : Pi ファイル名
flags : 読み込み方法 (下記)
%inst
Pi 画像 (16 色または 256 色) を読み込み、カレントウィンドウの画面バッファの (0, 0) を左上として描きます。画面からはみ出す部分は切り捨てます。幅は 3 から 8192 ドットまでです。
flags のビット 0 から 3 のどれかが 1 ならウィンドウを再描画しません (すべて 0 なら再描画します)。ビット 4 から 7 のどれかが 1 ならカレントポジションを左上として描きます ($10 など)。
PiTransColour の透過設定に従い、透過する点は描きません。隅の点を透過色とする設定では、その点の色が以後の透過色になります。
パレットモードの画面では画像の 256 色を画面のパレットとして設定し、HSP のパレットにも書き込みます。フルカラー画面では画像の色で描き、パレットは変わりません。
SetPiMem の設定は解除されます。
^
stat の値:
 0 : 成功 (データが途中で壊れていても、それまでに展開できた分を描いて 0)
 1 : 幅が 3 から 8192 の範囲外、または展開のためにファイルを開き直せない
 2 : Pi ファイルでない (ヘッダが不正)、または展開を始められない
 3 : ファイルを開けない、または読めない
 4 : メモリが足りない
%sample
#include "zorextss.as"
	PiTransColour 0, 1, 0
	pos 20, 20
	PiLoad "sample.pi", $10
	if stat ! 0 : mes "読み込めません stat=" + stat
	stop
%href
PiLoadMem
PiInfo
PiTransColour
BmpLoad


%index
PiLoadMem
メモリ上の Pi 画像を画面に読み込む
%group
Pi画像
%prm
flags
flags : 読み込み方法 (PiLoad と同じ)
%inst
SetPiMem で設定したメモリ上の Pi 画像を、PiLoad と同じように画面に描きます。設定はそのまま残ります。
^
stat の値:
 0 : 成功 (データが途中で壊れていても、それまでに展開できた分を描いて 0)
 1 : メモリ上の画像が設定されていない、または幅が 3 から 8192 の範囲外
 2 : Pi 画像でない (ヘッダが不正)、または展開を始められない
 4 : メモリが足りない
%href
SetPiMem
PiLoad
PiInfoMem


%index
PiTransColour
Pi 画像の透過色を設定する
%group
Pi画像
%prm
value, enable, corner
value : 透過色 (0 から 255 はパレット番号、256 から 384 は近い色、それ以外は透過なし)
enable : 0 なら透過をやめる
corner : 1 から 4 なら画像の隅の点を透過色にする
%inst
以後の PiLoad と PiLoadMem の透過の設定をします。
value が 0 から 255 なら、その番号の色の点を描きません。256 から 384 なら、R、G、B がそれぞれ現在の描画色 (color で設定) から value - 256 以内の色の点を描きません。それ以外の値では透過しません。
corner は 1 左上、2 右上、3 左下、4 右下の点の色を読み込むたびに透過色とします (画面外に切れた点でも使います)。この設定中は value は効きません。corner がそれ以外の値なら、corner の設定は前のままです。
enable が 0 なら value と corner に関係なく透過も corner の設定もやめます。
^
stat : 0
%href
PiLoad
PiLoadMem


%index
PiDllAbout
Pi ローダーの情報を表示
%group
Pi画像
%prm

%inst
Pi ローダーの著作権表示をメッセージボックスで表示します。閉じられるまで戻りません。
^
stat : 0
%href
AboutMe
DizezOzozoz


%index
FloatSetBuf
文字列の数値を浮動小数点レジスタに入れる
%group
浮動小数点レジスタ
%prm
var, r
var : 数値を表す文字列を持つ文字列型変数
r : レジスタ番号 (0 から 15)
%inst
var の文字列を 10 進数として読み、倍精度の浮動小数点レジスタ r に入れます。
レジスタは 0 から 15 の 16 個で、範囲外の番号はすべてレジスタ 0 を指します。値は呼び出しの間保たれ、最初はすべて 0.0 です。
先頭の空白を飛ばし、符号、小数点、指数 (1.5e3 など) を読みます。数値でない文字で読み終わり、数値で始まらない文字列は 0.0 になります。
var は先頭の文字列だけを使い、そのバッファの最後のバイトに 0 を書き込みます (バッファいっぱいの文字列は最後の 1 文字が消えます)。
^
stat の値:
 0 : 成功
 1 : var が文字列型でない
^
※ var のバッファが 0 バイトのときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%sample
#include "zorextss.as"
	sdim s, 64
	s = "1.5" : FloatSetBuf s, 0
	s = "4" : FloatSetBuf s, 1
	FloatMultiplyBuf 0, 1
	FloatToString s, 0, 8, 1
	mes s
	stop
%href
FloatToString
FloatToInt
FloatClrBuf


%index
FloatClrBuf
浮動小数点レジスタを 0 にする
%group
浮動小数点レジスタ
%prm
r
r : レジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ r を +0.0 にします。
^
stat : 0
%href
FloatSetBuf


%index
FloatNegBuf
浮動小数点レジスタの符号を反転
%group
浮動小数点レジスタ
%prm
r
r : レジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ r の符号を反転します (+0.0 は -0.0 になります)。
^
stat : 0
%href
FloatSetBuf


%index
FloatCopyBuf
浮動小数点レジスタをコピー
%group
浮動小数点レジスタ
%prm
d, s
d : コピー先のレジスタ番号 (0 から 15、範囲外は 0)
s : コピー元のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の値をレジスタ d に入れます。
^
stat の値:
 0 : 成功
 1 : d と s が同じレジスタ (範囲外の番号はレジスタ 0 として比べます)。何も変わりません
%href
FloatSwapBuf


%index
FloatSwapBuf
浮動小数点レジスタを交換
%group
浮動小数点レジスタ
%prm
a, b
a : レジスタ番号 (0 から 15、範囲外は 0)
b : レジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ a と b の値を入れ替えます。
^
stat の値:
 0 : 成功
 1 : a と b が同じレジスタ (範囲外の番号はレジスタ 0 として比べます)。何も変わりません
%href
FloatCopyBuf


%index
FloatIntBuf
浮動小数点レジスタの小数部を切り捨てる
%group
浮動小数点レジスタ
%prm
r
r : レジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ r の小数部を 0 の方向に切り捨てます (2.7 は 2、-2.7 は -2)。
結果は -2147483645 から 2147483646 の範囲に収め、範囲外ではその端の値をレジスタに入れます。
^
stat の値:
 0 : 成功
 16 : -2147483645 より小さい、または非数 (-2147483645 を入れた)
 17 : 2147483646 より大きい (2147483646 を入れた)
%href
FloatToInt


%index
FloatChkOvFlow
浮動小数点レジスタの極端な値を調べる
%group
浮動小数点レジスタ
%prm
r
r : レジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ r の値が倍精度の最大値または最小の正規化数にちょうど等しいかを調べます。レジスタは変わりません。
無限大、負の値、非正規化数はすべて 0 になります。
^
stat の値:
 0 : どちらでもない
 1 : 最大値 1.7976931348623157e308 に等しい、または非数
 2 : 最小の正規化数 2.2250738585072014e-308 に等しい
%href
FloatIntBuf


%index
FloatPItoBuf
円周率を浮動小数点レジスタに入れる
%group
浮動小数点レジスタ
%prm
d, s, m
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 掛けるレジスタ番号 (0 から 15、範囲外は 0)
m : 0 なら円周率そのもの、0 以外なら s の値 × 円周率
%inst
m が 0 ならレジスタ d に円周率 3.141592653589793 を、0 以外ならレジスタ s の値に円周率を掛けた値を入れます。
^
stat : 0
%href
FloatDEGtoRAD
FloatRADtoDEG


%index
FloatDEGtoRAD
度をラジアンに変換
%group
浮動小数点レジスタ
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 角度 (度) を持つレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の角度 (度) をラジアンにしてレジスタ d に入れます (s × π / 180)。d と s は同じでもかまいません。
^
stat : 0
%href
FloatRADtoDEG
FloatSinBuf


%index
FloatRADtoDEG
ラジアンを度に変換
%group
浮動小数点レジスタ
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 角度 (ラジアン) を持つレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の角度 (ラジアン) を度にしてレジスタ d に入れます (s × 180 / π)。d と s は同じでもかまいません。
^
stat : 0
%href
FloatDEGtoRAD
FloatASinBuf


%index
FloatToString
浮動小数点レジスタを文字列にする
%group
浮動小数点レジスタ
%prm
var, r, n, trim
var : 結果を受け取る文字列型変数
r : レジスタ番号 (0 から 15、範囲外は 0)
n : 小数点以下の桁数 (0 以下なら 8)
trim : 0 以外なら末尾の 0 と小数点を取り除く
%inst
レジスタ r の値を小数点以下 n 桁の 10 進数の文字列にして var に書き込みます。n 桁目の次の桁で四捨五入します (有効数字は 17 桁で、それより下の桁は 0 として扱います)。
小数点は必ず付き、負の値には - が付きます (丸めて 0 になっても -0.00 のように付きます)。
trim が 0 以外なら、末尾の 0 を取り除き、最後に小数点が残ればそれも取り除きます (100.0 は 100、0.5 は 0.5)。
var は先頭の文字列のバッファに入るだけ書き、必ず 0 で終わらせます。
^
stat の値:
 0 : 成功 (すべて入った)
 1 : var が文字列型でない (何も書かない)、または小数点より前で切れた
 2 : 小数点まで入り、そこで切れた
 3 : 小数部の途中で切れた (この場合も trim は行います)
^
※ var のバッファが 0 バイトのときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%sample
#include "zorextss.as"
	sdim s, 64
	s = "2" : FloatSetBuf s, 0
	FloatRootBuf 1, 0
	FloatToString s, 1, 5, 0
	mes "2 の平方根 = " + s
	stop
%href
FloatSetBuf
FloatToInt


%index
FloatToInt
浮動小数点レジスタを整数にする
%group
浮動小数点レジスタ
%prm
var, r
var : 結果を受け取る整数型変数
r : レジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ r の値の小数部を 0 の方向に切り捨てて var (先頭の要素) に書き込みます (3.99 は 3、-3.99 は -3)。レジスタは変わりません。
結果は -2147483645 から 2147483646 の範囲に収め、範囲外ではその端の値を書きます。
^
stat の値:
 0 : 成功
 1 : var が整数型でない (何も書かない)
 16 : -2147483645 より小さい、または非数 (-2147483645 を書いた)
 17 : 2147483646 より大きい (2147483646 を書いた)
%sample
#include "zorextss.as"
	sdim s, 64 : dim n, 1
	s = "123.9" : FloatSetBuf s, 0
	FloatToInt n, 0
	mes n
	stop
%href
FloatIntBuf
FloatToString


%index
FloatPlus
浮動小数点レジスタに文字列の数値を足す
%group
浮動小数点演算
%prm
var, r
var : 数値を表す文字列を持つ文字列型変数
r : レジスタ番号 (0 から 15、範囲外は 0)
%inst
var の文字列を FloatSetBuf と同じように数値として読み、レジスタ r に足します (r = r + 数値)。
var のバッファの最後のバイトに 0 を書き込みます。
^
stat の値:
 0 : 成功
 1 : var が文字列型でない
^
※ var のバッファが 0 バイトのときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%sample
#include "zorextss.as"
	sdim s, 64
	FloatClrBuf 0
	s = "0.1" : FloatPlus s, 0 : FloatPlus s, 0
	FloatToString s, 0, 3, 0
	mes s
	stop
%href
FloatMinus
FloatPlusBuf
FloatSetBuf


%index
FloatMinus
浮動小数点レジスタから文字列の数値を引く
%group
浮動小数点演算
%prm
var, r
var : 数値を表す文字列を持つ文字列型変数
r : レジスタ番号 (0 から 15、範囲外は 0)
%inst
var の文字列を数値として読み、レジスタ r から引きます (r = r - 数値)。
var のバッファの最後のバイトに 0 を書き込みます。
^
stat の値:
 0 : 成功
 1 : var が文字列型でない
^
※ var のバッファが 0 バイトのときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%href
FloatPlus
FloatMinusBuf


%index
FloatMultiply
浮動小数点レジスタに文字列の数値を掛ける
%group
浮動小数点演算
%prm
var, r
var : 数値を表す文字列を持つ文字列型変数
r : レジスタ番号 (0 から 15、範囲外は 0)
%inst
var の文字列を数値として読み、レジスタ r に掛けます (r = r × 数値)。
var のバッファの最後のバイトに 0 を書き込みます。
^
stat の値:
 0 : 成功
 1 : var が文字列型でない
^
※ var のバッファが 0 バイトのときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%href
FloatDivide
FloatMultiplyBuf


%index
FloatDivide
浮動小数点レジスタを文字列の数値で割る
%group
浮動小数点演算
%prm
var, r
var : 数値を表す文字列を持つ文字列型変数
r : レジスタ番号 (0 から 15、範囲外は 0)
%inst
var の文字列を数値として読み、レジスタ r をその値で割ります (r = r / 数値)。
数値が 0 (数値として読めない文字列も 0) のときは割らず、レジスタは変わりません。その場合も var のバッファの最後のバイトには 0 を書き込みます。
^
stat の値:
 0 : 成功
 1 : var が文字列型でない
 255 : 数値が 0 または非数で割れない
^
※ var のバッファが 0 バイトのときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%sample
#include "zorextss.as"
	sdim s, 64
	s = "10" : FloatSetBuf s, 0
	s = "4" : FloatDivide s, 0
	if stat = 255 : mes "0 では割れません" : stop
	FloatToString s, 0, 2, 0
	mes s
	stop
%href
FloatMultiply
FloatDivideBuf


%index
FloatPlusBuf
浮動小数点レジスタどうしを足す
%group
浮動小数点演算
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 足すレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ d にレジスタ s を足します (d = d + s)。d と s は同じでもかまいません。
^
stat : 0
%href
FloatMinusBuf
FloatPlus


%index
FloatMinusBuf
浮動小数点レジスタどうしを引く
%group
浮動小数点演算
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 引くレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ d からレジスタ s を引きます (d = d - s)。d と s は同じでもかまいません。
^
stat : 0
%href
FloatPlusBuf
FloatMinus


%index
FloatMultiplyBuf
浮動小数点レジスタどうしを掛ける
%group
浮動小数点演算
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 掛けるレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ d にレジスタ s を掛けます (d = d × s)。d と s は同じでもかまいません。
^
stat : 0
%href
FloatDivideBuf
FloatMultiply


%index
FloatDivideBuf
浮動小数点レジスタどうしを割る
%group
浮動小数点演算
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 割るレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ d をレジスタ s で割ります (d = d / s)。s が 0 または非数なら割らず、d は変わりません。
^
stat の値:
 0 : 成功
 255 : s が 0 または非数で割れない
%href
FloatMultiplyBuf
FloatDivide


%index
FloatRootBuf
浮動小数点レジスタの平方根
%group
浮動小数点関数
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 元の値のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の平方根をレジスタ d に入れます。s が 0 (-0.0 を含む) または非数なら d は +0.0 になります。
s が負なら計算せず、d は変わりません。
^
stat の値:
 0 : 成功
 255 : s が負
%href
FloatPowBuf
Root


%index
FloatPowBuf
浮動小数点レジスタのべき乗
%group
浮動小数点関数
%prm
d, b, e
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
b : 底のレジスタ番号 (0 から 15、範囲外は 0)
e : 指数のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ b の値のレジスタ e の値乗をレジスタ d に入れます。
指数が 0 (または非数) のときは計算せず d は変わりません (5 の 0 乗も 1 にはなりません)。底は調べないので、負の底に小数の指数などでは非数や無限大がそのまま入ります。
^
stat の値:
 0 : 成功
 255 : 指数が 0 または非数
%href
FloatRootBuf
FloatLogBuf


%index
FloatSinBuf
浮動小数点レジスタの正弦
%group
浮動小数点関数
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 角度 (ラジアン) のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の角度 (ラジアン) の正弦 (sin) をレジスタ d に入れます。
^
stat : 0
%sample
#include "zorextss.as"
	sdim s, 64
	s = "30" : FloatSetBuf s, 0
	FloatDEGtoRAD 1, 0
	FloatSinBuf 2, 1
	FloatToString s, 2, 6, 1
	mes "sin 30 度 = " + s
	stop
%href
FloatCosBuf
FloatTanBuf
FloatASinBuf
FloatDEGtoRAD


%index
FloatCosBuf
浮動小数点レジスタの余弦
%group
浮動小数点関数
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 角度 (ラジアン) のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の角度 (ラジアン) の余弦 (cos) をレジスタ d に入れます。
^
stat : 0
%href
FloatSinBuf
FloatACosBuf


%index
FloatTanBuf
浮動小数点レジスタの正接
%group
浮動小数点関数
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 角度 (ラジアン) のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の角度 (ラジアン) の正接 (tan) をレジスタ d に入れます。
^
stat : 0
%href
FloatSinBuf
FloatATanBuf


%index
FloatASinBuf
浮動小数点レジスタの逆正弦
%group
浮動小数点関数
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 値のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の値の逆正弦 (arcsin) を -π/2 から π/2 のラジアンでレジスタ d に入れます。
s が -1 より小さい、1 より大きい、または非数なら d は変わりません (-1 と 1 は使えます)。
^
stat の値:
 0 : 成功
 1 : s が -1 から 1 の範囲外、または非数
%href
FloatACosBuf
FloatSinBuf


%index
FloatACosBuf
浮動小数点レジスタの逆余弦
%group
浮動小数点関数
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 値のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の値の逆余弦 (arccos) を 0 から π のラジアンでレジスタ d に入れます。
s が -1 より小さい、1 より大きい、または非数なら d は変わりません (-1 と 1 は使えます)。
^
stat の値:
 0 : 成功
 1 : s が -1 から 1 の範囲外、または非数
%href
FloatASinBuf
FloatCosBuf


%index
FloatATanBuf
浮動小数点レジスタの逆正接
%group
浮動小数点関数
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 値のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の値の逆正接 (arctan) を -π/2 から π/2 のラジアンでレジスタ d に入れます。
^
stat : 0
%href
FloatTanBuf
GetAngle


%index
FloatLogBuf
浮動小数点レジスタの常用対数
%group
浮動小数点関数
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 値のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の値の常用対数 (底 10) をレジスタ d に入れます。s が 0 以下または非数なら d は変わりません。
^
stat の値:
 0 : 成功
 255 : s が 0 以下または非数
%href
FloatLnBuf
FloatPowBuf


%index
FloatLnBuf
浮動小数点レジスタの自然対数
%group
浮動小数点関数
%prm
d, s
d : 結果を入れるレジスタ番号 (0 から 15、範囲外は 0)
s : 値のレジスタ番号 (0 から 15、範囲外は 0)
%inst
レジスタ s の値の自然対数 (底 e) をレジスタ d に入れます。s が 0 以下または非数なら d は変わりません。
^
stat の値:
 0 : 成功
 255 : s が 0 以下または非数
%href
FloatLogBuf
FloatPowBuf


%index
TriFunc
整数の角度 (度) の三角関数
%group
整数三角関数
%prm
var, kind, angle, scale
var : 結果を受け取る整数型変数
kind : 関数の種類 (1 余弦、2 正接、それ以外は正弦)
angle : 角度 (度、-4096 から 4096)
scale : 結果に掛ける倍率
%inst
1 度きざみの表 (1.0 を 4096 とする整数) を使い、angle 度の正弦、余弦または正接に scale を掛けた整数を var (先頭の要素) に書き込みます。
丸めは (値 × scale + 2048) / 4096 を 0 の方向に切り捨てるため、正の値だけ四捨五入になります (sin 30 × 100 は 50、sin 210 × 100 は -49)。
正接の 90 度は 2147483647、270 度 (-90 度) は -2147483647 になります (stat は 0)。途中の計算は 32 ビット整数なので、大きな scale では桁あふれします。
^
stat : 0
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が整数型でない)、3 (angle が -4096 から 4096 の範囲外)。
%sample
#include "zorextss.as"
	dim v, 1
	repeat 8
		TriFunc v, 1, cnt * 45, 100 : x = v
		TriFunc v, 0, cnt * 45, 100
		pset 200 + x, 200 - v
	loop
	stop
%href
TriFunc2
TriFuncA
GetAngle


%index
TriFunc2
1/10000 度単位の角度の三角関数
%group
整数三角関数
%prm
var, kind, angle, scale
var : 結果を受け取る整数型変数
kind : 関数の種類 (1 余弦、2 正接、それ以外は正弦)
angle : 角度 (1/10000 度単位。1800000 が 180 度)
scale : 結果に掛ける倍率
%inst
angle の正弦、余弦または正接を倍精度で計算して scale を掛け、関数の値が 0 以上なら 0.5 を足し、負なら 0.5 を引いて 0 の方向に切り捨てた整数を var (先頭の要素) に書き込みます。0 以上かどうかは関数の値で決めるため、scale が負のときは結果が 1 ずれることがあります (sin 30 度、scale -100 は -49)。
正接は、angle が 900000 と -2700000 なら 2147483647、-900000 と 2700000 なら -2147483647 を書いて stat 1 になります。450000、2250000、-3150000、-1350000 では scale そのものを書きます。それ以外の角度 (一周先の 90 度なども) はそのまま計算します。
^
stat の値:
 0 : 成功
 1 : 正接の 90 度または 270 度 (上の値を書いた)
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が整数型でない)、3 (angle が -2147483645 より小さいか 2147483646 より大きい)。
%sample
#include "zorextss.as"
	dim v, 1
	TriFunc2 v, 0, 300000, 10000
	mes "sin 30 度 x 10000 = " + v
	stop
%href
TriFunc
TriFuncA


%index
TriFuncA
逆正弦・逆余弦を整数で求める
%group
整数三角関数
%prm
var, kind, ratio, scale
var : 結果を受け取る整数型変数
kind : 関数の種類 (1 逆余弦、それ以外は逆正弦)
ratio : 値 (1000000 が 1.0。-1000000 から 1000000)
scale : 結果に掛ける倍率
%inst
ratio / 1000000 の逆正弦 (-π/2 から π/2) または逆余弦 (0 から π) をラジアンで求めて scale を掛け、角度が 0 以上なら 0.5 を足し、負なら 0.5 を引いて 0 の方向に切り捨てた整数を var (先頭の要素) に書き込みます (0 以上かどうかは角度で決めるため、scale が負のときは結果が 1 ずれることがあります)。
例: 逆余弦で ratio 500000、scale 1000 なら 1047。
^
stat の値:
 0 : 成功
 1 : ratio が -1000000 から 1000000 の範囲外 (何も書かない)
^
※ var が整数型でないときは正の値 6 を返すため、HSP のエラー 6 でスクリプトが停止します。
%href
TriFunc
TriFunc2


%index
GetAngle
2 点を結ぶ直線の角度を求める
%group
整数三角関数
%prm
x1, y1, x2, y2
x1 : 1 点目の X 座標
y1 : 1 点目の Y 座標
x2 : 2 点目の X 座標
y2 : 2 点目の Y 座標
%inst
(x1, y1) と (x2, y2) を結ぶ直線の傾きの角度 (arctan((y2 - y1) / (x2 - x1))) を、1/10000 度単位で 0 から 3600000 の値にして stat に返します。負の角度には 3600000 を足します。
傾きだけで求めるので向きは区別しません。(0, 0) から (10, 10) も (-10, -10) も 450000、(10, -10) は 3150000 です。
^
stat : 角度 (1/10000 度単位、0 から 3600000)
^
※ x1 と x2 が等しい (垂直な直線) ときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%sample
#include "zorextss.as"
	GetAngle 0, 0, 3, 1
	mes "角度 = " + (stat / 10000) + " 度"
	stop
%href
GetAngle2
FloatATanBuf


%index
GetAngle2
2 点を結ぶ直線の角度を配列に求める
%group
整数三角関数
%prm
var, scale
var : 座標を入れ結果を受け取る整数型配列変数 (5 要素以上)
scale : 結果に掛ける倍率
%inst
var.1, var.2 を 1 点目 (x1, y1)、var.3, var.4 を 2 点目 (x2, y2) として、結ぶ直線の傾きの角度 (度) に scale を掛け、四捨五入 (0.5 は 0 から遠い方) した値を var.0 に書き込みます。
結果は -90 × scale から 90 × scale の範囲で、GetAngle と違い負の角度に一周を足しません。
^
stat の値:
 0 : 成功
 1 : var が整数型でない
 2 : var の要素数が 5 未満
 3 : x1 と x2 が等しい (垂直な直線。停止はしません)
%sample
#include "zorextss.as"
	dim p, 5
	p.1 = 0 : p.2 = 0 : p.3 = 10 : p.4 = -10
	GetAngle2 p, 10
	mes p.0
	stop
%href
GetAngle


%index
Root
整数の平方根を求める
%group
整数三角関数
%prm
var, x, scale
var : 結果を受け取る整数型変数
x : 元の値 (1 以上)
scale : 結果に掛ける倍率
%inst
x の平方根に scale を掛け、0.5 を足して切り捨てた整数を var (先頭の要素) に書き込みます (scale が負でも 0.5 を足します)。
例: x = 2、scale 1000 なら 1414。
^
stat の値:
 0 : 成功
 1 : var が整数型でない
 2 : x が 0 以下 (0 のときは var に 0 を書き、負のときは何も書かない)
%href
FloatRootBuf


%index
DecimalStr
割り算の商と余りを文字列にする
%group
数値変換
%prm
var, a, b
var : 結果を受け取る文字列型変数 (64 バイト以上)
a : 割られる数
b : 割る数
%inst
a / b の商 (0 の方向に切り捨て) と余り (a と同じ符号) を「商.余り」の形の文字列にして var に書き込みます。
余りは桁をそろえずに整数のまま書くので、小数の表記ではありません: 12345, 100 は "123.45"、12305, 100 は "123.5"、-7, 2 は "-3.-1" になります。
^
stat の値:
 0 : 成功
 1 : var が文字列型でない
 2 : var の 1 要素が 64 バイト未満
 255 : b が 0、または a が -2147483648 で b が -1 (割り算ができない)
%sample
#include "zorextss.as"
	sdim s, 64
	DecimalStr s, 12345, 100
	mes s
	stop
%href
Hex2Int


%index
Hex2Int
16 進数の文字列を整数にする
%group
数値変換
%prm
var, "text"
var : 結果を受け取る整数型変数
"text" : 16 進数の文字列
%inst
text を 16 進数として読み、var (先頭の要素) に書き込みます。
先頭の空白を飛ばし、符号 (+ または -) の後の 0 から 9、A から F (小文字も可) を読みます。8 桁を読むか、空白やその他の文字が来たところで読み終わります。"0x" などの接頭辞は使えません ("0x10" は 0)。数字がなければ 0 です。
符号のない 8 桁の 80000000 から FFFFFFFF はそのまま 32 ビットの値になります (FFFFFFFF は -1)。
^
stat の値:
 0 : 成功
 1 : var が整数型でない
 255 : 符号付きで 8 桁の先頭が 8 以上 (範囲外。何も書かない)
%sample
#include "zorextss.as"
	dim v, 1
	Hex2Int v, "7fff"
	mes v
	stop
%href
DecimalStr


%index
SlideNum
変数のバイトに値を加える
%group
数値変換
%prm
var, offset, count, amount
var : 変数 (型は問わない)
offset : 始めのバイト位置 (0 以上)
count : バイト数 (1 以上)
amount : 加える値 (-128 から 128)
%inst
var のバッファの offset バイト目から count バイトのそれぞれに amount を加えます (256 で割った余り。隣のバイトへの桁上がりはありません)。バッファを超える部分は無視します。
amount を正負逆にして呼ぶと元に戻ります。
^
stat の値:
 0 : 成功 (amount が 0 なら何もしない)
 1 : offset が負、count が 1 未満、または amount が範囲外
%sample
#include "zorextss.as"
	sdim s, 64
	s = "abc"
	SlideNum s, 0, 3, 1
	mes s
	stop


%index
MapStr
文字列の全角・半角などを変換
%group
文字種変換
%prm
var, "source", mode
var : 結果を受け取る文字列型変数
"source" : 変換する文字列
mode : 変換の種類 (下記の値の和)
%inst
Windows のロケール変換 (ユーザーの既定のロケール) で source を変換して var に書き込みます。
mode: 1 全角、2 半角、4 ひらがな、8 カタカナ、16 小文字、32 大文字。下位 6 ビットだけが有効で、0 は 1 とみなします。
全角と半角、ひらがなとカタカナ、小文字と大文字を同時に指定すると変換は失敗します。
var は配列なら全体を 1 つのバッファとして使います。
^
stat の値:
 0 : 成功
 1 : 変換に失敗した (指定できない組み合わせ、または結果が var に入らない。var の内容は保証されません)
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (source が空、または var のバッファが 0 バイト)。
%sample
#include "zorextss.as"
	sdim s, 256
	MapStr s, "ｱｲｳabc", 1
	mes s
	MapStr s, "カタカナ", 4
	mes s
	stop
%href
UpperCase
LowerCase
UpperCaseF


%index
UpperCase
文字列を大文字にする
%group
文字種変換
%prm
var
var : 変換する文字列型変数
%inst
var の文字列を、Windows のロケール変換で大文字にします (全角の英字なども変換されます)。
var は配列なら全体を 1 つのバッファとして使います。
^
stat の値:
 0 : 成功
 1 : 変換に失敗した (メモリ不足を含む)
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var の文字列が空、またはバッファが 0 バイト)。
%href
LowerCase
UpperCaseF
MapStr


%index
LowerCase
文字列を小文字にする
%group
文字種変換
%prm
var
var : 変換する文字列型変数
%inst
var の文字列を、Windows のロケール変換で小文字にします (全角の英字なども変換されます)。
var は配列なら全体を 1 つのバッファとして使います。
^
stat の値:
 0 : 成功
 1 : 変換に失敗した (メモリ不足を含む)
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var の文字列が空、またはバッファが 0 バイト)。
%href
UpperCase
LowerCaseF
MapStr


%index
UpperCaseF
半角英字を大文字にする
%group
文字種変換
%prm
var
var : 変換する文字列型変数
%inst
var の文字列の半角の a から z だけを A から Z にします。全角文字などの 2 バイト文字は (2 バイト目が英字の範囲でも) 変えません。
バッファの最後のバイトに 0 を書き込みます (配列なら全体を 1 つのバッファとして使います)。
^
stat : 0
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var のバッファが 0 バイト)。
%sample
#include "zorextss.as"
	sdim s, 64
	s = "Hello, ワールド"
	UpperCaseF s
	mes s
	stop
%href
LowerCaseF
UpperCase


%index
LowerCaseF
半角英字を小文字にする
%group
文字種変換
%prm
var
var : 変換する文字列型変数
%inst
var の文字列の半角の A から Z だけを a から z にします。全角文字などの 2 バイト文字は (2 バイト目が英字の範囲でも) 変えません。
バッファの最後のバイトに 0 を書き込みます (配列なら全体を 1 つのバッファとして使います)。
^
stat : 0
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var のバッファが 0 バイト)。
%href
UpperCaseF
LowerCase


%index
CountChr
変数の中の特定のバイトを数える
%group
文字列検索
%prm
var, value, length, start
var : 調べる変数 (型は問わない)
value : 数えるバイトの値 (下位 8 ビット)
length : 調べるバイト数 (1 以上)
start : 調べ始める位置 (0 以上)
%inst
var のバッファの start バイト目から length バイトのうち、値が value に等しいバイトの数を stat に返します。
文字列の終わり (0) では止まらず、バッファの終わりまでを数えます。2 バイト文字の 2 バイト目も 1 バイトとして数えます。
^
stat : 見つかった数 (0 以上)
^
※ length が 1 未満、または start が負のときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%sample
#include "zorextss.as"
	sdim s, 64
	s = "a,b,c,d"
	CountChr s, 44, 64, 0    ; 44 は ',' の文字コード
	mes "カンマは " + stat + " 個"
	stop
%href
SearchStr


%index
SearchStr
変数の中の文字列を探す
%group
文字列検索
%prm
var, "pattern", length, start
var : 探す対象の変数 (型は問わない)
"pattern" : 探す文字列
length : 探すバイト数 (負なら英字の大文字・小文字を区別しない)
start : 探し始める位置 (0 以上)
%inst
var のバッファの start バイト目から length バイトの範囲で pattern を探し、最初に見つかった位置に 1 を足した値を stat に返します。位置はバッファの先頭から数えたバイト位置です。見つからなければ 0 です。
一致は範囲の中に収まる必要があります。文字列の終わり (0) では止まらず、バッファの終わりまで探します。
length が負なら -length バイトの範囲で英字の大文字・小文字を区別せずに探します。このときは 2 バイト文字を 1 文字として扱い、2 バイト目から始まる位置では一致しません (全角英字の大文字・小文字は区別します)。区別する探し方では 2 バイト目から始まる一致も返します。
^
stat : 見つかった位置 + 1、見つからなければ 0
^
※ 次の場合は正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します: pattern が空、length が 0、start が負、大文字・小文字を区別しない探し方で pattern が 2048 バイトより長い。
%sample
#include "zorextss.as"
	sdim s, 64
	s = "abcABC"
	SearchStr s, "ABC", -64, 0
	if stat > 0 : mes "位置 " + (stat - 1)
	stop
%href
CountChr


%index
CheckFilename
ファイル名に使えるか調べる
%group
ファイル名
%prm
var, noDirectories, allowSemicolon
var : 調べるファイル名を持つ文字列型変数
noDirectories : 0 以外なら \ を使えない文字とする (ディレクトリのないファイル名として調べる)
allowSemicolon : 0 以外なら ; を使える文字とする
%inst
var の文字列がファイル名やパスとして使えるかを調べます。" < > ? * / | は常に使えません。: はドライブ名 (英字の次の 2 文字目) としてだけ使えます (最初の : だけを調べます)。
2 バイト文字の 2 バイト目は調べません。var は先頭の文字列だけを使い、そのバッファの最後のバイトに 0 を書き込みます。空の文字列は使えるとみなします。
^
stat の値:
 0 : 使える
 255 : 使えない文字がある、または : の位置が正しくない
 1 : var が文字列型でない
%sample
#include "zorextss.as"
	sdim f, 260
	f = "memo?.txt"
	CheckFilename f, 1, 0
	if stat ! 0 : mes "ファイル名に使えない文字があります"
	stop
%href
NodeExt


%index
NodeExt
パスからドライブ名・ファイル名などを取り出す
%group
ファイル名
%prm
var, "path", selector, trim
var : 結果を受け取る文字列型変数
"path" : パス
selector : 取り出す部分 (下記)
trim : 0 以外なら結果の末尾の空白と制御文字を取り除く
%inst
path から selector で選んだ部分を取り出して var に書き込みます。C:\dir\name.ext の場合:
 1 : ドライブ名 (英字は大文字にする) "C:"
 2 : 拡張子を除いたファイル名 "name"
 3 : 拡張子 (ドットなし) "ext"
 4 : ファイル名 "name.ext"
 それ以外 : ディレクトリ (最後の \ まで) "C:\dir\"
ディレクトリ名の中のドットは拡張子とはみなしません。2 バイト文字の 2 バイト目の \ は区切りとみなしません。
var は先頭の文字列だけを使い、最初にそのバッファを 0 で埋めます。
^
stat の値:
 0 : 成功
 255 : path にその部分がない (var は空)
 16 : var に入らない (ディレクトリでは var は空、それ以外は入るだけ書く)
 1 : var が文字列型でない
%sample
#include "zorextss.as"
	sdim s, 260
	NodeExt s, "C:\\dir\\name.ext", 3, 0
	mes "拡張子 = " + s
	NodeExt s, "C:\\dir\\name.ext", 0, 0
	mes "ディレクトリ = " + s
	stop
%href
CheckFilename
GetCurDir


%index
DragWin
マウスでウィンドウを移動させる
%group
ウィンドウ
%prm

%inst
カレントウィンドウを、マウスのボタンが押されている間マウスに合わせて動かします (タイトルバーをドラッグしたときと同じ動作)。
タイトルバーのないウィンドウを動かすときなどに、マウスのボタンが押されたところで呼びます。
^
stat : 0
%href
ZorRestore


%index
ChangeParentWnd
ウィンドウを親ウィンドウの子にする
%group
ウィンドウ
%prm

%inst
カレントウィンドウを、SetParentWnd で設定した親ウィンドウの子ウィンドウにします。
^
stat の値:
 0 : 成功
 1 : 親ウィンドウが設定されていない
 2 : 親ウィンドウがカレントウィンドウ自身 (何も変わりません)
%href
SetParentWnd


%index
SetParentWnd
親ウィンドウを設定する
%group
ウィンドウ
%prm
clear
clear : 0 以外なら設定を解除する
%inst
カレントウィンドウが表示されていれば、それを親ウィンドウとして覚えます。親ウィンドウは ChangeParentWnd の親になり、ExDialog、GetOpenFile、GetSaveFile、AboutMe などのダイアログの持ち主になります。親ウィンドウが閉じられていれば、ダイアログを出すときに設定は解除されます。
clear が 0 以外なら、その後で設定を解除します。
^
stat の値:
 0 : 設定した (clear が 0)
 1 : ウィンドウが表示されていない (設定は変わりません)
 2 : 解除した (clear が 0 以外のときは常に 2)
%href
ChangeParentWnd
ExDialog
GetOpenFile


%index
ExDialog
アイコンとボタンを選んでメッセージボックスを表示
%group
ウィンドウ
%prm
"text", "caption", code, defaultButton
"text" : メッセージ (文字列型変数で指定します)
"caption" : タイトル
code : アイコンとボタンの種類 (下記の値の和)
defaultButton : 既定のボタン (2 なら 2 番目、3 なら 3 番目、それ以外は 1 番目)
%inst
メッセージボックスを表示し、押されたボタンを stat に返します。SetParentWnd の親ウィンドウが持ち主になります。閉じられるまで戻りません。
code の下位 3 ビットはアイコン: 0 なし、1 情報、2 注意、3 問い合わせ、4 停止 (5 から 7 はなし)。
code のビット 4 から 6 はボタン: $00 OK、$10 OK・キャンセル、$20 再試行・キャンセル、$30 はい・いいえ、$40 はい・いいえ・キャンセル、$50 中止・再試行・無視 ($60 と $70 は OK)。
^
stat の値:
 1 : OK
 2 : はい
 3 : いいえ
 4 : キャンセル
 5 : 中止
 6 : 無視
 7 : 再試行
 0 : 表示できなかった
%sample
#include "zorextss.as"
	sdim t, 64
	t = "保存しますか?"
	ExDialog t, "確認", $43, 0
	if stat = 2 : mes "はい"
	if stat = 3 : mes "いいえ"
	if stat = 4 : mes "キャンセル"
	stop
%href
SetParentWnd


%index
GetSysColour
システムカラーを取得
%group
ウィンドウ
%prm
var, index
var : 結果を受け取る整数型配列変数 (3 要素以上)
index : システムカラーの番号 (0 から 63 に丸める。5 ウィンドウの背景、15 ボタンの表面など)
%inst
Windows のシステムカラー index の色を、var.0 に赤、var.1 に緑、var.2 に青 (各 0 から 255) で書き込みます。
^
stat : 0
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が整数型でない)、3 (var の要素数が 3 未満)。
%sample
#include "zorextss.as"
	dim c, 3
	GetSysColour c, 15
	color c.0, c.1, c.2 : boxf 0, 0, 100, 100
	stop


%index
RasterOperation
描画の合成方法を設定
%group
ウィンドウ
%prm
mode
mode : 合成方法 (0 から 8)
%inst
カレントウィンドウの画面バッファへのペンを使う描画 (線など) で、描く色 (ペン) と画面の色をどう合成するかを設定します。
 0 : そのまま描く、1 : AND、2 : OR、3 : XOR、4 : ペンの反転、5 : 画面の反転、6 : AND の反転、7 : OR の反転、8 : XOR の反転
範囲外の mode は 0 とみなします。
^
stat : 0


%index
Obj_Font
オブジェクトのフォントを変える
%group
ウィンドウ
%prm
number
number : オブジェクト番号 (0 から 63)
%inst
オブジェクト number (ボタンや入力ボックスなど) のフォントを、カレントウィンドウの現在のフォント (font で選んだもの) にして再描画します。
^
stat の値:
 0 : 成功
 1 : number が 0 から 63 の範囲外
 255 : その番号のオブジェクトがない
%href
MoveObject


%index
Iconic
ウィンドウが最小化されているか調べる
%group
ウィンドウ
%prm

%inst
カレントウィンドウが最小化 (アイコン化) されているかを調べます。
^
stat の値:
 1 : 最小化されている
 0 : 最小化されていない
%href
Zoomed
ZorMinimize


%index
Zoomed
ウィンドウが最大化されているか調べる
%group
ウィンドウ
%prm

%inst
カレントウィンドウが最大化されているかを調べます。
^
stat の値:
 1 : 最大化されている
 0 : 最大化されていない
%href
Iconic
ZorMaximize


%index
ZorMinimize
ウィンドウを最小化
%group
ウィンドウ
%prm

%inst
カレントウィンドウを最小化します。
^
stat : 0
%href
ZorMaximize
ZorRestore
Iconic


%index
ZorMaximize
ウィンドウを最大化
%group
ウィンドウ
%prm

%inst
カレントウィンドウを最大化して表示します。
^
stat : 0
%href
ZorMinimize
ZorRestore
Zoomed


%index
ZorRestore
ウィンドウを元の大きさに戻す
%group
ウィンドウ
%prm

%inst
最小化または最大化されたカレントウィンドウを元の大きさと位置に戻します。
^
stat : 0
%href
ZorMinimize
ZorMaximize


%index
FlashWin
ウィンドウを点滅させる
%group
ウィンドウ
%prm
invert
invert : 0 以外なら表示を切り替える、0 なら元に戻す
%inst
invert が 0 以外なら、カレントウィンドウのタイトルバー (とタスクバーのボタン) のアクティブ・非アクティブの表示を 1 回切り替えます。0 なら元の表示に戻します。繰り返し呼ぶと点滅になります。
^
stat : 0


%index
GetClientCurPos
ウィンドウ内のマウスカーソルの位置を取得
%group
ウィンドウ
%prm
axis
axis : 1 なら Y 座標、それ以外なら X 座標
%inst
マウスカーソルの位置を、カレントウィンドウのクライアント領域の左上からの座標で stat に返します。
^
stat の値:
 X 座標 または Y 座標 (0 以上)
 268435455 ($0FFFFFFF) : カーソルがクライアント領域の外にある
%sample
#include "zorextss.as"
*main
	GetClientCurPos 0 : x = stat
	GetClientCurPos 1 : y = stat
	if x ! $0FFFFFFF : title "" + x + ", " + y
	wait 5
	goto *main
%href
SetCursorClient


%index
SetCursorClient
マウスカーソルをウィンドウ内の位置に移動
%group
ウィンドウ
%prm
x, y
x : X 座標 (クライアント領域の左上から)
y : Y 座標 (クライアント領域の左上から)
%inst
マウスカーソルを、カレントウィンドウのクライアント領域の (x, y) に移動します。
^
stat : 0
%href
GetClientCurPos
CallCursor


%index
Ime_Open
IME のオン・オフを切り替える
%group
ウィンドウ
%prm
open
open : 0 以外なら IME をオン、0 ならオフにする
%inst
カレントウィンドウの IME (日本語入力) をオンまたはオフにします。
^
stat の値:
 0 : 成功
 1 : 切り替えられなかった


%index
GetForeWinSize
最前面のウィンドウの大きさを取得
%group
ウィンドウ
%prm
var
var : 結果を受け取る整数型配列変数 (4 要素以上)
%inst
最前面 (アクティブ) のウィンドウの枠を含む大きさを、var.0 に幅、var.1 に高さで書き込みます。
^
stat の値:
 0 : 成功
 1 : var が整数型でない
 2 : var の要素数が 4 未満
%href
PaintForeWinImage


%index
PaintForeWinImage
最前面のウィンドウの画像を取り込む
%group
ウィンドウ
%prm
stretch, query, desktopOnly
stretch : 0 以外なら画面バッファの大きさに拡大・縮小する
query : stat に返す値の種類 (下記)
desktopOnly : 0 以外ならウィンドウを除いたデスクトップの背景を取り込む
%inst
画面上の最前面のウィンドウの範囲を、カレントウィンドウの画面バッファの (0, 0) に写します。stretch が 0 ならウィンドウの左上から画面バッファの大きさだけを等倍で写します (ウィンドウの外の部分も写ります)。
desktopOnly が 0 以外なら、写す前に画面にデスクトップの背景を描き、後ですべてのウィンドウを再描画させます。
カレントウィンドウは再描画しません。redraw などで表示を更新してください。
^
stat の値:
 query が 1 : 画面バッファの幅、2 : 画面バッファの高さ、3 : 最前面のウィンドウの幅、4 : その高さ
 それ以外の query : 0
%href
PaintDesktopImage
GetForeWinSize


%index
PaintDesktopImage
デスクトップ全体の画像を取り込む
%group
ウィンドウ
%prm
stretch, query, desktopOnly
stretch : 0 以外なら画面バッファの大きさに拡大・縮小する
query : stat に返す値の種類 (下記)
desktopOnly : 0 以外ならウィンドウを除いたデスクトップの背景を取り込む
%inst
画面 (デスクトップ) 全体を、カレントウィンドウの画面バッファの (0, 0) に写します。stretch が 0 なら画面の左上から画面バッファの大きさだけを等倍で写します。
desktopOnly が 0 以外なら、写す前に画面にデスクトップの背景を描き、後ですべてのウィンドウを再描画させます。
カレントウィンドウは再描画しません。redraw などで表示を更新してください。
^
stat の値:
 query が 1 : 画面バッファの幅、2 : 画面バッファの高さ、3 : 画面の幅、4 : 画面の高さ
 それ以外の query : 0
%sample
#include "zorextss.as"
	PaintDesktopImage 1, 0, 0
	redraw 1
	stop
%href
PaintForeWinImage


%index
MoveObject
オブジェクトを移動
%group
オブジェクト
%prm
number, x, y
number : オブジェクト番号 (0 から 63)
x : 移動先の X 座標 (負なら 0)
y : 移動先の Y 座標 (負なら 0)
%inst
カレントウィンドウのオブジェクト number (ボタンや入力ボックスなど) を、ウィンドウ内の (x, y) に移動して表示します。大きさは変わりません。
^
stat の値:
 0 : 成功
 1 : number が 0 から 63 の範囲外
 2 : その番号のオブジェクトがない
%sample
#include "zorextss.as"
	pos 10, 10 : button "移動", *go
	stop
*go
	MoveObject 0, 100, 60
	ResizeObject 0, 120, 40
	stop
%href
ResizeObject


%index
ResizeObject
オブジェクトの大きさを変える
%group
オブジェクト
%prm
number, width, height
number : オブジェクト番号 (0 から 63)
width : 幅 (1 未満なら 16)
height : 高さ (1 未満なら 16)
%inst
カレントウィンドウのオブジェクト number の大きさを変えて表示します。位置は変わりません。
^
stat の値:
 0 : 成功
 1 : number が 0 から 63 の範囲外
 2 : その番号のオブジェクトがない
%href
MoveObject


%index
SetObjTable
オブジェクトの一覧を記録する
%group
オブジェクト
%prm

%inst
カレントウィンドウの 64 個のオブジェクト番号の状態 (ウィンドウハンドル) を記録します。後で CheckObjTable で、その時点のオブジェクトと比べられます。記録はウィンドウに結び付かず、次の SetObjTable まで残ります。
^
stat : 0
%sample
#include "zorextss.as"
	dim tbl, 64
	SetObjTable
	button "A", *a
	CheckObjTable
	GetObjTable tbl
	mes "オブジェクト 0 の変化: " + tbl.0
	stop
*a
	stop
%href
CheckObjTable
GetObjTable


%index
CheckObjTable
オブジェクトの一覧を比べる
%group
オブジェクト
%prm

%inst
カレントウィンドウの 64 個のオブジェクトを SetObjTable で記録した状態と比べ、番号ごとに変わったかどうかを覚えます (結果は GetObjTable で読みます)。SetObjTable の前に呼ぶと、存在するオブジェクトはすべて変わったとみなします。
^
stat : 0
%href
SetObjTable
GetObjTable


%index
GetObjTable
オブジェクトの変化を取得
%group
オブジェクト
%prm
var
var : 結果を受け取る整数型配列変数 (64 要素以上)
%inst
CheckObjTable で比べた結果を var.0 から var.63 に書き込みます。オブジェクトが変わった (作られた、消された、別のものになった) 番号は 1、同じ番号は 0 です。CheckObjTable の前ではすべて 0 です。
^
stat の値:
 0 : 成功
 1 : var が整数型でない
 2 : var の要素数が 64 未満
%href
CheckObjTable
SetObjTable


%index
SetTargetObj
文字列を読むオブジェクトを選ぶ
%group
オブジェクト
%prm
number
number : オブジェクト番号 (0 から 63)
%inst
オブジェクト number を GetObjText で文字列を読む対象にします。失敗したときは対象の設定を解除します。
^
stat の値:
 0 : 成功
 1 : number が 0 から 63 の範囲外
 2 : その番号のオブジェクトがない
%href
GetObjText


%index
GetObjText
オブジェクトの文字列を取得
%group
オブジェクト
%prm
var
var : 文字列を受け取る変数
%inst
SetTargetObj で選んだオブジェクトの文字列 (ボタンの文字、入力ボックスの内容など) を var に書き込みます。var は先頭の文字列のバッファを使い、そのバイト数 - 2 バイトまで読みます。
var は成否にかかわらず文字列型になります。あらかじめ sdim で十分な大きさにしてください。
^
stat の値:
 読んだバイト数 (0 以上)
 2147483647 ($7FFFFFFF) : 対象のオブジェクトがない (対象の設定を解除します)
%sample
#include "zorextss.as"
	sdim s, 256
	s = "入力してください"
	mesbox s, 200, 100, 1
	button "読む", *rd
	stop
*rd
	SetTargetObj 0
	sdim t, 256
	GetObjText t
	dialog t
	stop
%href
SetTargetObj


%index
ES_Change
入力ボックスの大文字・小文字変換を変える
%group
オブジェクト
%prm
number, set, clear
number : 入力ボックスのオブジェクト番号 (0 から 63)
set : 付ける変換 (1 大文字、2 以上は小文字)
clear : 外す変換 (1 大文字、2 以上は小文字)
%inst
入力ボックス number に、入力した英字を大文字または小文字に変換するスタイルを設定します。clear の変換を外してから set の変換を付けます (同じ値なら付いた状態になります)。
^
stat の値:
 0 : 成功
 16 : set または clear が 1 未満
 1 : number が範囲外、またはその番号のオブジェクトがない
%href
BS_Ext


%index
BS_Def
ボタンを既定のボタンにする
%group
オブジェクト
%prm
number
number : ボタンのオブジェクト番号 (0 から 63)
%inst
ボタン number に既定のボタン (太い枠) のスタイルを付けます。表示は更新しません。
^
stat の値:
 0 : 成功
 1 : number が範囲外、またはその番号のオブジェクトがない
%href
BS_Multi
BS_Ext


%index
BS_Multi
ボタンの文字を複数行にする
%group
オブジェクト
%prm
number
number : ボタンのオブジェクト番号 (0 から 63)
%inst
ボタン number に、文字を複数行に折り返して表示するスタイルを付けます。表示は更新しません。
^
stat の値:
 0 : 成功
 1 : number が範囲外、またはその番号のオブジェクトがない
%href
BS_Def
BS_Ext


%index
BS_Ext
ボタンにスタイルを付ける
%group
オブジェクト
%prm
number, index
number : ボタンのオブジェクト番号 (0 から 63)
index : 付けるスタイルの番号 (1 から 20。20 より大きい値は 20)
%inst
ボタン number に次のスタイルを付けます (外すことはできません)。表示は更新しません。
 1 文字をチェックの左、2 左寄せ、3 右寄せ、4 中央、5 上寄せ、6 下寄せ、7 上下中央
 8 チェックボックス、9 自動チェックボックス、10 ラジオボタン、11 3 状態チェックボックス、12 自動 3 状態チェックボックス、13 グループボックス、14 自動ラジオボタン
 15 押しボタン風、16 平面、17 オーナー描画、18 なし (何も付けない)、19 アイコン、20 ビットマップ
^
stat の値:
 0 : 成功
 16 : index が 1 未満
 1 : number が範囲外、またはその番号のオブジェクトがない
%href
BS_Def
BS_Multi
ES_Change


%index
CallCursor
マウスカーソルをオブジェクトの中央に移動
%group
オブジェクト
%prm
number, useWindow
number : オブジェクト番号 (0 から 63)
useWindow : 0 以外ならオブジェクトの代わりにウィンドウの中央へ移動
%inst
マウスカーソルをオブジェクト number の中央に移動します。useWindow が 0 以外ならカレントウィンドウの中央に移動します (この場合も number は 0 から 63 でなければなりません)。
^
stat の値:
 0 : 成功
 1 : number が範囲外、またはその番号のオブジェクト (ウィンドウ) がない
%href
SetCursorClient


%index
BtnPush
ボタンを押す
%group
オブジェクト
%prm
number
number : ボタンのオブジェクト番号 (0 から 63)
%inst
ボタン number をクリックしたときと同じ動作をさせます。動作は、スクリプトが wait や stop でメッセージを処理したときに起こります。
^
stat の値:
 0 : 成功
 1 : number が範囲外、またはその番号のオブジェクトがない


%index
CreatePopup
ポップアップメニューを作る
%group
ポップアップメニュー
%prm
var, count, slotNumber
var : 項目の文字列を持つ文字列型配列変数 ("-" は区切り線)
count : 使う項目の数 (0 以下、または要素数以上ならすべて)
slotNumber : メニュー番号 (0 から 7。範囲外は 0)
%inst
var の文字列を 1 要素 1 項目としてポップアップメニューを作り、メニュー番号 slotNumber に覚えます。メニューは 8 個まで持てます。
ちょうど "-" の文字列は区切り線になります。文字の項目には先頭から 1, 2, 3... の番号が付きます (区切り線は数えません)。この番号を DoPopup が返します。
作り直すときは DestroyPopup で消してから作ってください。
^
stat の値:
 0 : 成功
 1 : そのメニュー番号にはもうメニューがある (前のメニューのまま)
 2 : メニューを作れない
^
※ var が文字列型でないときは正の値 6 を返すため、HSP のエラー 6 でスクリプトが停止します。
%sample
#include "zorextss.as"
	sdim m, 64, 4
	m.0 = "開く" : m.1 = "保存" : m.2 = "-" : m.3 = "終了"
	CreatePopup m, 0, 0
	DoPopup 200, 200, 0
	if stat = 3 : mes "終了が選ばれました"
	DestroyPopup 256
	stop
%href
DoPopup
DestroyPopup


%index
DoPopup
ポップアップメニューを表示
%group
ポップアップメニュー
%prm
x, y, slotNumber
x : 表示する X 座標 (画面 (デスクトップ) 上の座標)
y : 表示する Y 座標 (画面 (デスクトップ) 上の座標)
slotNumber : メニュー番号 (0 から 7。範囲外は 0)
%inst
CreatePopup で作ったメニュー slotNumber を画面の (x, y) を左上として表示し、選ばれた項目の番号を stat に返します。選ばれるか閉じられるまで戻りません。メニューは残るので何度でも表示できます。
^
stat の値:
 選ばれた項目の番号 (1 から)
 0 : 何も選ばれなかった
 65535 : 表示に失敗した
 2147483647 ($7FFFFFFF) : そのメニュー番号にメニューがない
%href
CreatePopup
DestroyPopup


%index
DestroyPopup
ポップアップメニューを消す
%group
ポップアップメニュー
%prm
which
which : 256 から 263 ならメニュー番号 which - 256、それ以外はすべて
%inst
which が 256 から 263 なら、メニュー番号 which - 256 のメニューを消します。それ以外の値 (0 も) ならすべてのメニューを消します。
^
stat の値:
 0 : 消した
 1 : 消すメニューがなかった
%href
CreatePopup
DoPopup


%index
SetFileMask
ファイルダイアログのファイルの種類を設定
%group
ファイルダイアログ
%prm
var, pairs
var : 説明とパターンを交互に入れた文字列型配列変数
pairs : 使う組の数 (0 以下、または組の数より大きければすべて)
%inst
次の GetOpenFile または GetSaveFile で選べるファイルの種類を設定します。var.0 に説明 ("テキスト (*.txt)" など)、var.1 にそのパターン ("*.txt"、複数なら "*.bmp;*.pi")、var.2 に次の説明…のように入れます。最後の組になれない余りの要素は使いません。
設定は次のダイアログで 1 回だけ使われ、そこで解除されます。もう一度呼ぶと新しい設定に置き換わります。全体で 4128 バイトに収まらない組は使いません。
var は文字列型になります。
^
stat の値:
 0 : 成功
 1 : var の要素数が 2 未満、または 1 組も収まらない (前の設定はそのまま)
%sample
#include "zorextss.as"
	sdim f, 64, 4
	f.0 = "テキスト (*.txt)" : f.1 = "*.txt"
	f.2 = "全て (*.*)" : f.3 = "*.*"
	SetFileMask f, 0
	sdim n, 260
	GetOpenFile n, "txt"
	if stat = 0 : mes n
	stop
%href
FileMaskFree
GetOpenFile
GetSaveFile


%index
FileMaskFree
ファイルの種類の設定を解除
%group
ファイルダイアログ
%prm

%inst
SetFileMask で設定し、まだダイアログで使われていないファイルの種類の設定を解除します。
^
stat の値:
 0 : 解除した
 1 : 設定されていなかった
%href
SetFileMask


%index
GetOpenFile
ファイルを開くダイアログを表示
%group
ファイルダイアログ
%prm
var, "defaultExtension"
var : 選ばれたファイルのパスを受け取る変数 (1 要素 260 バイト以上。今の内容が最初のファイル名になる)
"defaultExtension" : 拡張子なしで入力されたときに付ける拡張子 (ドットなし。"txt" など)
%inst
ファイルを開くダイアログを表示し、選ばれたファイルのパスを var に書き込みます。閉じられるまで戻りません。存在するファイルだけを選べます。
SetParentWnd の親ウィンドウが持ち主になり、ファイルが選ばれたときは親ウィンドウを再描画します。ファイルの種類は SetFileMask の設定を使い (ダイアログを表示すると設定は解除されます)、設定がなければ "全て (*.*)" だけです。
var は文字列型になります。
^
stat の値:
 0 : ファイルが選ばれた
 1 : キャンセルされた、またはダイアログを表示できなかった (var の内容がファイル名として正しくないときなど)
 260 : var の 1 要素が 260 バイト未満 (ダイアログは表示せず、SetFileMask の設定も残ります)
%sample
#include "zorextss.as"
	sdim n, 260
	GetOpenFile n, ""
	if stat = 0 : mes "選ばれたファイル: " + n
	stop
%href
GetSaveFile
SetFileMask
SetParentWnd


%index
GetSaveFile
名前を付けて保存ダイアログを表示
%group
ファイルダイアログ
%prm
var, "defaultExtension", options
var : 保存するファイルのパスを受け取る変数 (1 要素 260 バイト以上。今の内容が最初のファイル名になる)
"defaultExtension" : 拡張子なしで入力されたときに付ける拡張子 (ドットなし。"txt" など)
options : 確認の指定 (1 存在しないファイルを作るか確認、2 上書きするか確認。両方なら 3)
%inst
名前を付けて保存するダイアログを表示し、指定されたパスを var に書き込みます。閉じられるまで戻りません。存在するフォルダーだけを指定でき、読み取り専用のファイルは選べません。
持ち主のウィンドウ、ファイルの種類、var の扱いは GetOpenFile と同じです。
^
stat の値:
 0 : ファイル名が指定された
 1 : キャンセルされた、またはダイアログを表示できなかった
 260 : var の 1 要素が 260 バイト未満 (ダイアログは表示せず、SetFileMask の設定も残ります)
%sample
#include "zorextss.as"
	sdim n, 260
	n = "新規.txt"
	GetSaveFile n, "txt", 2
	if stat = 0 : mes "保存先: " + n
	stop
%href
GetOpenFile
SetFileMask


%index
GetCmdLine
コマンドラインを取得
%group
環境・ディレクトリ
%prm
var, mode
var : 結果を受け取る文字列型変数
mode : 0 ならコマンドライン全体、0 以外ならプログラム名を除く
%inst
プログラムを起動したコマンドラインを var に書き込みます。var に入らない部分は、プログラム名を除く前に切り捨てます。
mode が 0 以外なら、先頭のプログラム名 ("" で囲まれたものも) とその後の空白 1 つを除きます。引数がなければ mode にかかわらずコマンドライン全体になります。
mode のビット 4 から 7 のどれかが 1 ($10 など) なら、さらに先頭の "obj " を除きます (その後に何か続くときだけ)。
^
stat : 0
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var のバッファが 0 バイト)。
%sample
#include "zorextss.as"
	sdim s, 1024
	GetCmdLine s, 1
	mes "引数: " + s
	stop
%href
GetCurDir


%index
GetWinTemp
一時ファイル用のディレクトリを取得
%group
環境・ディレクトリ
%prm
var
var : 結果を受け取る文字列型変数
%inst
一時ファイル用のディレクトリ (末尾に \ が付きます) を var の先頭の文字列に書き込みます。
^
stat の値:
 0 : 成功 (Windows が失敗したときも 0)
 必要なバイト数 : var に入らない (何も書かない)
^
※ var が文字列型でないときは正の値 6 を返すため、HSP のエラー 6 でスクリプトが停止します。
%href
GetCurDir
GetShellDir


%index
GetCurDir
カレントディレクトリを取得
%group
環境・ディレクトリ
%prm
var
var : 結果を受け取る文字列型変数
%inst
カレントディレクトリを var の先頭の文字列に書き込みます。
^
stat の値:
 0 : 成功 (Windows が失敗したときも 0)
 必要なバイト数 : var に入らない (何も書かない)
^
※ var が文字列型でないときは正の値 6 を返すため、HSP のエラー 6 でスクリプトが停止します。
%href
GetWinTemp
RmDir


%index
RmDir
ディレクトリを削除
%group
環境・ディレクトリ
%prm
0, "directory"
0 : 未使用 (0 を指定)
"directory" : 削除するディレクトリ
%inst
空のディレクトリ directory を削除します。中にファイルがあると削除できません。
^
stat の値:
 0 : 削除した
 1 : 削除できなかった (空でない、存在しないなど)
%href
GetCurDir


%index
GetEnvVar
環境変数の値を取得
%group
環境・ディレクトリ
%prm
var, "name"
var : 結果を受け取る文字列型変数
"name" : 環境変数の名前 ("PATH" など。% は付けない)
%inst
環境変数 name の値を var の先頭の文字列に書き込みます。定義されていない名前なら、名前を % で囲んだ文字列がそのまま入ります。
stat が var の 1 要素のバイト数より大きいときは、値が入りきっていません。
^
stat の値:
 値の長さ + 1 (終わりの 0 を含むバイト数)
 0 : 取得できなかった
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var のバッファが 0 バイト、または name が 4097 バイトより長い)。
%sample
#include "zorextss.as"
	sdim s, 1024
	GetEnvVar s, "WINDIR"
	mes s
	stop
%href
GetShellDir


%index
GetShellDir
デスクトップなどの特殊フォルダーのパスを取得
%group
環境・ディレクトリ
%prm
var, index
var : 結果を受け取る文字列型変数
index : フォルダーの番号 (下記。範囲外は 0)
%inst
ユーザーの特殊フォルダーのパスをレジストリ (HKEY_CURRENT_USER の Explorer の User Shell Folders、なければ Shell Folders) から読み、環境変数を展開して var の先頭の文字列に書き込みます。
 0 : デスクトップ、1 : スタートメニュー、2 : プログラム、3 : スタートアップ、4 : 送る、5 : 最近使ったファイル、6 : お気に入り
stat が var の 1 要素のバイト数より大きいときは、パスが入りきっていません。
^
stat の値:
 パスの長さ + 1 (終わりの 0 を含むバイト数)
 0 : レジストリのキーを開けない
 65535 : User Shell Folders も Shell Folders も開けない
 65540 / 65544 / 65548 : 値がない (開けたのが User Shell Folders だけ / Shell Folders だけ / 両方)
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var のバッファが 0 バイト)。
%sample
#include "zorextss.as"
	sdim s, 260
	GetShellDir s, 0
	if (stat = 0) | (stat > 260) : mes "取得できません" : stop
	mes "デスクトップ: " + s
	stop
%href
GetEnvVar
CreateShortCut


%index
SetShortCutParam
ショートカットの作業フォルダーとホットキーを設定
%group
ショートカット
%prm
var, hotkey, setHotkey
var : 作業フォルダーのパスを持つ文字列型変数
hotkey : ホットキー (下位 8 ビットは仮想キーコード、$100 Shift、$200 Ctrl、$400 Alt の和)
setHotkey : 1 以上ならホットキーを設定する
%inst
次の CreateShortCut で作るショートカットの作業フォルダーを設定し、setHotkey が 1 以上ならホットキーも設定します (0 以下ならホットキーなし)。
var の内容はコピーせず、CreateShortCut のときに読みます。それまで var を変えないでください。var のバッファの最後のバイトに 0 を書き込みます。
設定は CreateShortCut か FreeShortCutParam で解除されます。
^
stat の値:
 0 : 設定した
 1 : 作業フォルダーがもう設定されている
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var のバッファが 0 バイト)。
%href
CreateShortCut
SetShortCutArg
FreeShortCutParam


%index
SetShortCutArg
ショートカットの引数を設定
%group
ショートカット
%prm
var
var : 引数を持つ文字列型変数
%inst
次の CreateShortCut で作るショートカットの引数 (コマンドライン) を設定します。
var の内容はコピーせず、CreateShortCut のときに読みます。それまで var を変えないでください。var のバッファの最後のバイトに 0 を書き込みます。
^
stat の値:
 0 : 設定した
 1 : 引数がもう設定されている
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var のバッファが 0 バイト)。
%href
CreateShortCut
SetShortCutParam


%index
SetShortCutIcon
ショートカットのアイコンを設定
%group
ショートカット
%prm
var, index
var : アイコンを持つファイルのパスを持つ文字列型変数
index : ファイルの中のアイコンの番号 (負なら 0)
%inst
次の CreateShortCut で作るショートカットのアイコンを設定します。
var の内容はコピーせず、CreateShortCut のときに読みます。それまで var を変えないでください。var のバッファの最後のバイトに 0 を書き込みます。
^
stat の値:
 0 : 設定した
 1 : アイコンがもう設定されている
^
※ 次の場合は正の値を返すため、HSP のエラーとしてスクリプトが停止します: 6 (var が文字列型でない)、3 (var のバッファが 0 バイト)。
%href
CreateShortCut
SetShortCutShow


%index
SetShortCutShow
ショートカットのウィンドウの状態を設定
%group
ショートカット
%prm
index
index : 0 通常、1 最小化 (アクティブにしない)、2 最大化 (3 以上は 0)
%inst
次の CreateShortCut で作るショートカットで起動したときのウィンドウの状態を設定します。もう一度呼ぶと置き換わります。
^
stat の値:
 0 : 設定した
 1 : index が負 (前の設定のまま)
%href
CreateShortCut
SetShortCutIcon


%index
FreeShortCutParam
ショートカットの設定を解除
%group
ショートカット
%prm

%inst
SetShortCutParam、SetShortCutArg、SetShortCutIcon、SetShortCutShow の設定をすべて解除します。
^
stat : 0
%href
CreateShortCut
SetShortCutParam


%index
CreateShortCut
ショートカットファイルを作る
%group
ショートカット
%prm
"target", "linkPath"
"target" : リンク先のパス (文字列型変数で指定します)
"linkPath" : 作るショートカットファイルのパス (.lnk)
%inst
target を指すショートカットファイル linkPath を作ります。SetShortCutParam、SetShortCutArg、SetShortCutIcon、SetShortCutShow の設定を使い、成否にかかわらずそれらの設定を解除します。
^
stat の値:
 0 : 作った
 1 : 作れなかった (ファイルを保存できない、パスが長すぎるなど)
%sample
#include "zorextss.as"
	sdim w, 260 : w = "C:\\tools"
	SetShortCutParam w, 0, 0
	SetShortCutShow 2
	sdim t, 260 : t = "C:\\tools\\app.exe"
	CreateShortCut t, "C:\\tools\\app.lnk"
	if stat ! 0 : mes "作れませんでした"
	stop
%href
SetShortCutParam
SetShortCutArg
SetShortCutIcon
SetShortCutShow
GetShortCutParam


%index
GetShortCutParam
ショートカットファイルの設定を読む
%group
ショートカット
%prm
var, "path", setting
var : 結果を受け取る変数
"path" : ショートカットファイルのパス (.lnk)
setting : 読む設定 (下記)
%inst
ショートカットファイル path の設定を読み、var に書き込みます。var の型は読む設定に合わせて変わります。
 1 : 引数、2 : 作業フォルダー、4 : アイコンのファイル、それ以外 : リンク先 (文字列型、先頭の文字列に入るだけ)
 3 : ホットキー (整数型。var.0 仮想キーコード、var.1 Shift、var.2 Ctrl、var.3 Alt がそれぞれ 1 か 0)
 5 : アイコンの番号 (整数型で var.0。アイコンのパスもいったん var に書かれるので大きめの変数を使ってください)
^
stat の値:
 0 : 成功
 256 : path が 6 文字未満
 257 : path が .lnk で終わらない (大文字・小文字は問いません)
 1 : ファイルを読み込めない (パスが長すぎる場合も)
 16 : 設定を読めない
^
※ var が小さすぎる (setting 3 で 16 バイト未満、それ以外で 1 要素が 4 バイト未満) ときは正の値 3 を返すため、HSP のエラー 3 でスクリプトが停止します。
%sample
#include "zorextss.as"
	sdim s, 260
	GetShortCutParam s, "C:\\tools\\app.lnk", 0
	if stat = 0 : mes "リンク先: " + s
	stop
%href
CreateShortCut


%index
GetZorExtVer
ZorExtSS のバージョンを取得
%group
サウンド・バージョン
%prm

%inst
refstr にバージョンの文字列 "0.401 Subset" を入れます。
^
stat : 262145 ($40001。上位 16 ビットが 4、下位 16 ビットが 1)
%sample
#include "zorextss.as"
	GetZorExtVer
	mes "ZorExtSS " + refstr
	stop
%href
GetWinVerEx
AboutMe


%index
GetWinVerEx
Windows のバージョンを取得
%group
サウンド・バージョン
%prm
selector
selector : stat に返す値の種類 (下位 2 ビット: 0 系統、1 メジャーバージョン、2 マイナーバージョン、3 なし)
%inst
refstr に "Windows NT  ver. 6.2" のような Windows のバージョンの文字列を入れます (系統名は Windows 9x、Windows NT、Win32s、Unknown OS)。
^
stat の値:
 selector が 0 : 系統 (1 Windows 9x、2 Windows NT、3 Win32s、0 不明)
 selector が 1 : メジャーバージョン
 selector が 2 : マイナーバージョン
 selector が 3 : 0
%sample
#include "zorextss.as"
	GetWinVerEx 1
	mes refstr + " (メジャーバージョン " + stat + ")"
	stop
%href
GetZorExtVer


%index
DizezOzozoz
著作権表示を表示
%group
サウンド・バージョン
%prm

%inst
ZorExtSS の著作権表示をメッセージボックスで表示します。閉じられるまで戻りません。SetParentWnd の親ウィンドウが持ち主になります。
^
stat : 0
%href
AboutMe
PiDllAbout


%index
AboutMe
ZorExtSS の情報を表示
%group
サウンド・バージョン
%prm

%inst
ZorExtSS の著作権表示をメッセージボックスで表示します。閉じられるまで戻りません。SetParentWnd の親ウィンドウが持ち主になります。
^
stat : 0
%href
DizezOzozoz
GetZorExtVer


%index
Bell
指定した高さと長さの音を鳴らす
%group
サウンド・バージョン
%prm
frequency, duration
frequency : 周波数 (ヘルツ。37 から 32767 に収める)
duration : 長さ (ミリ秒。1 未満は 1)
%inst
frequency ヘルツの音を duration ミリ秒鳴らします。鳴り終わるまで戻りません。
^
stat : 0
%sample
#include "zorextss.as"
	Bell 440, 200
	Bell 880, 200
	stop
%href
Bell2
PlayWave


%index
Bell2
システムの警告音を鳴らす
%group
サウンド・バージョン
%prm
index
index : 音の種類 (範囲外は 0)
%inst
Windows の警告音を鳴らします。
 0 : 一般の警告音 (ビープ)、1 : 情報、2 : 注意、3 : 停止、4 : 問い合わせ、5 : 既定の音
^
stat : 0
%href
Bell
PlayWave


%index
PlayWave
WAVE ファイルを再生
%group
サウンド・バージョン
%prm
var
var : WAVE ファイルのパスを持つ文字列型変数
%inst
var の WAVE ファイルの再生を始めます。再生はバックグラウンドで行い、すぐに戻ります。再生できないときは代わりの音も鳴りません。
^
stat の値:
 0 : 再生を始めた
 1 : 再生できない (ファイルがないなど)
 255 : var が文字列型でない
%sample
#include "zorextss.as"
	sdim w, 260
	w = "C:\\Windows\\Media\\chimes.wav"
	PlayWave w
	if stat ! 0 : mes "再生できません"
	stop
%href
Bell
Bell2
