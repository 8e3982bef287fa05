// Texts that several entry windows show in the same words.
#pragma once

namespace shell {

inline constexpr char NotEnteredMessage[] = "未入力です。";
inline constexpr char NotNumericMessage[] = "入力結果が数字ではありません。";
inline constexpr char TooLongMessage[] = "規定の桁数をこえました。";
// The wording of the code and code-category registers and of the report checks.
inline constexpr char TooLongMessageKanji[] = "規定の桁数を超えました。";
inline constexpr char NoRecordChosenMessage[] = "レコードが選択されていません。検索後、再指定して下さい。";
inline constexpr char NothingToDeleteMessage[] = "削除すべきデータは存在しません。";
inline constexpr char DeleteQuestion[] = "削除します。よろしいか。";
inline constexpr char DeleteMissingMessage[] = "存在しないデータを削除しようとしました。";
inline constexpr char ChooseEraMessage[] = "年号を選択して下さい。";
inline constexpr char BadDateMessage[] = "日付の誤りです。再度、入力して下さい。";
inline constexpr char SixDigitDateMessage[] = "6桁(YYMMDD)で入力して下さい。";
inline constexpr char NoSubjectClassMessage[] = "科目区分が未入力です。";
inline constexpr char NoSubjectCodeMessage[] = "科目コードが未入力です。";
inline constexpr char BadCounterpartCategoryMessage[] = "相手先種別の誤りです。";
inline constexpr char NoCounterpartCategoryMessage[] = "相手先区分が入力されていません。";
inline constexpr char RequiredFieldMessage[] = "必須項目が未入力です。";
inline constexpr char BadDirectionMessage[] = "入出金区分の誤りです。";
inline constexpr char NoCodeCategoryMessage[] = "コード区分が未入力です。";

inline constexpr char ButtonHint[] = "ｸﾘｯｸ 又は、ｴﾝﾀーで作業を選択して下さい。";

inline constexpr char RegisterTooltip[] = "レコードを登録します。";
inline constexpr char DeleteTooltip[] = "レコードを削除します。";
inline constexpr char EndTooltip[] = "作業を終了します。";
inline constexpr char SearchTooltip[] = "レコードを検索します。";
inline constexpr char EraListTooltip[] = "年号を選択しクリックします。";

} // namespace shell
