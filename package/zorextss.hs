;
; zorextss.hs: ZorExtSS のヘルプ (HSP ヘルプブラウザ用)
;
; stat の値は HSP が受け取る値 (命令の戻り値の符号を反転したもの) で書いています。
; 「エラー n で停止」とある場合は、命令が正の値 n を返し、
; HSP がそのエラーを表示してスクリプトを止めます。
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
HSP 2.x 用の拡張プラグインです (HSP 3 では使えない命令があります)。
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
※ BI_BITFIELDS のマスクが上の組み合わせ以外のときは正の値 259 を返すため、HSP のエラーとしてスクリプトが停止します。
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
※ BI_BITFIELDS のマスクが対応外のときは正の値 259 を返すため、HSP のエラーとしてスクリプトが停止します。
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
