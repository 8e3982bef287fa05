-- Starting rows of a fresh data file. Texts are stored at their full field width, padded with blanks;
-- printf's '!' flag measures the width in characters, not bytes.

-- Control row: the dates are stamped when the file is first opened. The tax rates are in thousandths:
-- 10% now, 8% before the change of 1 October 2019.
INSERT INTO F01TB VALUES (
    1, 0, 0, 99, 1, 0, 100, 80, 20191001, 0,
    printf('%-!4s', '明治'), printf('%-!4s', '大正'), printf('%-!4s', '昭和'), printf('%-!4s', '平成'),
    printf('%-!4s', '令和'),
    18681031, 19120801, 19261227, 19890109, 20190501,
    printf('%-!30s', ''), printf('%-!30s', ''), printf('%-!10s', ''), printf('%-!30s', ''), printf('%-!30s', ''),
    printf('%-!15s', ''), printf('%-!15s', ''), printf('%-!30s', ''), printf('%-!30s', ''), printf('%-!15s', ''));

-- Cash balance row: every month slot reads as zero.
INSERT INTO F46TB VALUES (1, 0, 0, printf('%.120c', '0'), printf('%.120c', '0'), printf('%.120c', '0'),
                          printf('%-!15s', ''));

-- Code categories: 1 subject classes, 2 counterparts, 3 detail classifications.
INSERT INTO F10KBNTB VALUES (1, printf('%-!30s', '科目分類'), 2, 30, printf('%-!15s', ''));
INSERT INTO F10KBNTB VALUES (2, printf('%-!30s', '取引先'), 4, 30, printf('%-!15s', ''));
INSERT INTO F10KBNTB VALUES (3, printf('%-!30s', '細目分類'), 3, 30, printf('%-!15s', ''));

CREATE TEMP TABLE starter_codes (kbn INTEGER, cod INTEGER, dtl TEXT);
INSERT INTO starter_codes VALUES
    (1, 1, '収入'), (1, 2, '経費'), (1, 3, '資産'), (1, 4, '負債'), (1, 5, '資本'),
    (2, 1, '一般顧客'), (2, 2, '仕入先'), (2, 3, '取引銀行'),
    (3, 1, '電気'), (3, 2, 'ガス'), (3, 3, '水道');
INSERT INTO F10TB
    SELECT kbn, cod, printf('%-!30s', dtl), printf('%-!15s', ''), printf('%-!15s', ''), printf('%-!15s', ''),
           printf('%-!15s', ''), printf('%-!15s', '')
    FROM starter_codes ORDER BY kbn, cod;
DROP TABLE starter_codes;

-- Starter subjects. io: 0 receipt, 1 payment; csh: 0 on the cash book, 1 not.
CREATE TEMP TABLE starter_subjects (kbn INTEGER, act INTEGER, nam TEXT, io INTEGER, csh INTEGER);
INSERT INTO starter_subjects VALUES
    (1, 101, '売上', 0, 0),
    (1, 102, '雑収入', 0, 0),
    (2, 201, '仕入', 1, 0),
    (2, 202, '給料', 1, 0),
    (2, 203, '外注費', 1, 0),
    (2, 204, '消耗品費', 1, 0),
    (2, 205, '旅費交通費', 1, 0),
    (2, 206, '通信費', 1, 0),
    (2, 207, '水道光熱費', 1, 0),
    (2, 208, '地代家賃', 1, 0),
    (2, 209, '広告宣伝費', 1, 0),
    (2, 210, '接待交際費', 1, 0),
    (2, 211, '修繕費', 1, 0),
    (2, 212, '租税公課', 1, 0),
    (2, 213, '保険料', 1, 0),
    (2, 214, '支払手数料', 1, 0),
    (2, 215, '雑費', 1, 0),
    (2, 216, '減価償却費', 1, 1),
    (3, 301, '普通預金', 0, 1),
    (3, 302, '売掛金', 0, 1),
    -- Fixed assets are filed under these; buying one is a payment, in cash like an expense.
    (3, 303, '建物', 1, 0),
    (3, 304, '車両運搬具', 1, 0),
    (3, 305, '工具器具備品', 1, 0),
    (4, 401, '買掛金', 1, 1),
    (5, 501, '事業主貸', 1, 0),
    (5, 502, '事業主借', 0, 0);
INSERT INTO F21TB
    SELECT kbn, act, 3, 0, printf('%-!30s', nam), io, csh, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
           printf('%-!15s', '')
    FROM starter_subjects ORDER BY kbn, act;
DROP TABLE starter_subjects;

-- Descriptions: ready-made voucher lines.
CREATE TEMP TABLE starter_descriptions (cod TEXT, dsc TEXT, kbn INTEGER, act INTEGER, io INTEGER);
INSERT INTO starter_descriptions VALUES
    ('000001', '売上代金', 1, 101, 0),
    ('000002', '商品仕入', 2, 201, 1),
    ('000003', '電話料金', 2, 206, 1),
    ('000004', '電気料金', 2, 207, 1),
    ('000005', '事務所家賃', 2, 208, 1),
    ('000006', '事務用品', 2, 204, 1);
INSERT INTO F18TB
    SELECT cod, printf('%-!30s', dsc), kbn, act, 0, 0, 0, printf('%-!30s', ''), io, 0, printf('%-!15s', '')
    FROM starter_descriptions ORDER BY cod;
DROP TABLE starter_descriptions;
