#include "export/write_result.h"

const char *write_failure_text(WriteFailure failure)
{
    switch (failure) {
    case WRITE_OK:
        return "保存しました。";
    case WRITE_NO_PIXELS:
        return "画像に画素がありません。";
    case WRITE_TOO_LARGE:
        return "画像が大きすぎて、この形式では保存できません。";
    case WRITE_NO_MEMORY:
        return "メモリが足りません。";
    case WRITE_FOLDER_NOT_FOUND:
        return "保存先のフォルダーが見つかりません。";
    case WRITE_ACCESS_DENIED:
        return "このファイルまたはフォルダーに書き込む権限がありません。";
    case WRITE_NAME_IS_FOLDER:
        return "同じ名前のフォルダーがあります。";
    case WRITE_NOT_A_FILE:
        return "この名前はファイルではなく、デバイスやパイプを指しています。";
    case WRITE_BAD_NAME:
        return "ファイル名が正しくないか、長すぎます。";
    case WRITE_DISK_FULL:
        return "ディスクの空き領域が足りません。";
    case WRITE_IO_ERROR:
        return "ファイルの書き込み中にエラーが発生しました。";
    case WRITE_LIBRARY_ERROR:
        return "JPEG の圧縮中にエラーが発生しました。";
    case WRITE_KEPT_ELSEWHERE:
        return "元のファイルは消えましたが、絵は次の名前で保存されています。";
    }
    return "原因不明のエラーが発生しました。";
}

WriteResult write_result(WriteFailure failure)
{
    WriteResult result = {};
    result.failure = failure;
    return result;
}
