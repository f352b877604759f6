#include "guide/guideform.h"

#include <string_view>

#include "core/money.h"

namespace zm {

namespace {

struct Texts {
    const char* name;
    const char* title;
    const char* modori;
    std::vector<std::string> captions;
};

Texts textsOf(Guide which) {
    switch (which) {
        case Guide::Sub1:
            return {"frmSub1",
                    "ズメリ始めてみよう！ ３６５歩のマーチ",
                    "１円玉を用意して さぁ 始めましょう！",
                    {"３６５歩のマーチ", "１日目に１円、２日目に２円…　",
                     "３６５日後に３６５円と入金していく貯金法です。",
                     "←こんな風に貯まっていきます。", "一番簡単で単純な操作で行える貯金法です。",
                     "表示される金額を用意して単に「入金」ボタンを押すだけ！",
                     "見ての通り「高額」の貯金を期待するものではなく",
                     "毎日毎日の貯金意識継続の為に利用するとおもしろい", "と思います。"}};
        case Guide::Sub2:
            return {
                "frmSub2",
                "ズメリ始めてみよう！　小銭清算法",
                "財布から「小銭」を取り出して さぁ　始めましょう！",
                {"小銭清算", "とにかく都合のいい、任意の期間で財布に残っている『小銭』を惜しみなく",
                 "貯金にまわしてしまおう！　という貯金法です。",
                 "一週間に１回、あるいは半月に一回…などなど",
                 "入金欄に小銭として清算する金額を入力して「入金」ボタンを押すだけ！",
                 "硬貨は全て小銭としてもよいし１００円以下を小銭とみなすでもかまわないでしょう。",
                 "『小銭』の定義も使う人、その時の気分でＯＫ！",
                 "小銭の一括清算でジャラジャラだった財布は軽くなるし貯金はいつのまにか重くなる！"}};
        case Guide::Sub3:
            break;
    }
    return {"frmSub3",
            "ズメリ始めてみよう！　テーマでいこう！",
            "テーマと金額を決めて、さぁ 始めよう！",
            {"テーマでいこう！", "テーマを決めて、項目に自分の好きなように",
             "金額を割り振り、該当する出来事があるたびに", "その金額を貯金していく方法です。",
             "左のように　「～つもり貯金」や家庭内の", "いろんなことに価格設定する「家庭賃金制」",
             "「罰金徴収法」などもいかがでしょう。", "罰則を定めて違反時にその金額を貯金にあてる",
             "最初は項目と金額を入力しますが", "次からはリストからの選択でＯＫ！"}};
}

struct ThemeExample {
    const char* heading;
    const char* table;
    // Item and amount text of rows 1 to 3, as the window shows them.
    const char* rows[3][2];
};

constexpr ThemeExample kThemeExamples[] = {
    {"テーマ例1 ～つもり貯金",
     "msgTemaSub1",
     {{"少年マガジンを買ったつもり", "¥230"},
      {"ムフフなビデオをレンタルしたつもり", "¥400"},
      {"タクシーを使ったつもり", "¥690"}}},
    {"テーマ例2 家庭賃金制",
     "msgTemaSub2",
     {{"お風呂", "¥30"}, {"晩酌", "¥50"}, {"太鼓の達人（１曲）", "¥10"}}},
    {"テーマ例3 罰金徴収制",
     "msgTemaSub3",
     {{"朝メシ抜いた", "¥50"}, {"人前でオナラした", "¥30"}, {"腕立て伏せしなかった", "¥20"}}},
};

constexpr int kScheduleDays = 365;

// Day N of the 365-step savings with the running total 1 + 2 + ... + N.
void fillSchedule(LedgerTable& table) {
    table.reset({{"日数", 1000, Align::Default}, {"貯金額", 1000, Align::Right}});
    table.beginLoad();
    Money total;
    for (int day = 1; day <= kScheduleDays; ++day) {
        total += Money::fromYen(day);
        table.appendRow({std::to_string(day) + "日目", Cell(total)});
    }
    table.endLoad();
}

void fillThemeExample(LedgerTable& table, const ThemeExample& example) {
    table.reset({{"項目", 3375, Align::Default}, {"金額", 600, Align::Right}});
    for (const auto& row : example.rows) table.appendRow({row[0], row[1]});
}

}  // namespace

GuideForm::GuideForm(Guide which)
    : frm(textsOf(which).name), cmdModori("cmdModori"), which_(which) {
    Texts texts = textsOf(which);
    frm.setCaption(texts.title);
    cmdModori.setCaption(texts.modori);
    captions = std::move(texts.captions);
    if (which == Guide::Sub1) {
        examples.push_back({"", std::make_unique<LedgerTable>("msgEverySub", 12)});
    } else if (which == Guide::Sub3) {
        for (const ThemeExample& e : kThemeExamples) {
            examples.push_back({e.heading, std::make_unique<LedgerTable>(e.table, 10)});
        }
    }
}

void GuideForm::Form_Load() {
    if (which_ == Guide::Sub1) {
        fillSchedule(*examples.front().table);
    } else if (which_ == Guide::Sub3) {
        for (std::size_t i = 0; i < examples.size(); ++i) {
            fillThemeExample(*examples[i].table, kThemeExamples[i]);
        }
    }
}

void GuideForm::cmdModori_Click() {
    frm.setVisible(false);
}

LedgerTable* GuideForm::table(const std::string& name) {
    for (Example& e : examples) {
        if (e.table->name() == name) return e.table.get();
    }
    return nullptr;
}

}  // namespace zm
