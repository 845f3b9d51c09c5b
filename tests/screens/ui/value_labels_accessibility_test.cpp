// What a screen reader gets from the labels that show a recorder's values: the
// value itself as the label's name, its caption as the description and as the
// label that labels it.
#include <QAccessible>
#include <QLabel>

#include "datafile/data_set.h"
#include "screens/TInformationForm.h"
#include "screens/TSettingForm.h"
#include "setting5000_fixture.h"

namespace kv::test {
namespace {

class ValueLabelsAccessibility : public ConditionScreenTest {
  protected:
    // The value label's name and description as accessibility reads them, and
    // the text of the control that labels it.
    struct Read {
        QString name;
        QString description;
        QString labelledBy;
    };
    static Read read(QLabel* value) {
        Read r;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(value);
        if (!a) {
            ADD_FAILURE() << "no accessibility for " << value->objectName().toStdString();
            return r;
        }
        r.name = a->text(QAccessible::Name);
        r.description = a->text(QAccessible::Description);
        for (const auto& [other, relation] : a->relations(QAccessible::Label))
            r.labelledBy = other->text(QAccessible::Name);
        return r;
    }
    DataSet data;
};

TEST_F(ValueLabelsAccessibility, FirstGenerationInformationValuesReadAsTheirValues) {
    connectRecorder(4300);
    state.legacyInfo.deviceNumber = 42;
    TInformationForm form(*link, settings, state, data);
    form.show();
    const struct {
        const char* value;
        const char* caption;
        bool captionLabels;  // a caption label names it through the buddy relation
    } cases[] = {{"StaticText2", "機器番号", true},
                 {"StaticText6", "ＫＶ種別", true},
                 {"StaticText34", "製造番号", true},
                 {"StaticText16", "センサー番号 Ｘ軸", true},
                 {"StaticText17", "感度(mV/G) Ｘ軸", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        auto* label = findControl<QLabel>(&form, c.value);
        ASSERT_FALSE(label->text().isEmpty());
        const Read r = read(label);
        EXPECT_EQ(r.name, label->text());
        EXPECT_EQ(r.description.toStdString(), c.caption);
        if (c.captionLabels) {
            EXPECT_FALSE(r.labelledBy.isEmpty());
        }
    }
    EXPECT_EQ(findControl<QLabel>(&form, "StaticText2")->text(), "42");
}

TEST_F(ValueLabelsAccessibility, FirstGenerationRecordPeriodReadsAsThePeriodChosen) {
    connectRecorder(4300);
    TSettingForm form(*link, settings, state);
    form.show();
    auto* shown = findControl<QLabel>(&form, "StaticText3");
    ASSERT_FALSE(shown->text().isEmpty());
    const Read r = read(shown);
    EXPECT_EQ(r.name, shown->text());
    EXPECT_EQ(r.description.toStdString(), "記録周期");
}

}  // namespace
}  // namespace kv::test
