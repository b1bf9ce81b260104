// What each control does, in the operator's words, shown when the mouse rests on it. The hidden
// buttons are never under the mouse and have none.
#include "app/window/form1.h"

#include "app/support/identity_tip.h"
#include "app/support/tool_tips.h"
#include "app/widgets/chart_series.h"
#include "app/widgets/legend_tool_tip.h"

#include <QComboBox>
#include <QLabel>

namespace {

const ToolTip kToolTips[] = {
    {"Button1", "Открыть файл сырых данных как полет 1 (красная кривая)"},
    {"Button3", "Открыть файл сырых данных как полет 2 (синяя кривая),\nс которым сравнивается полет 1"},
    {"Button8", "Открыть файл сырых данных как полет 3 (зеленая кривая):\nтолько показать, без сравнения"},
    {"UpDown1", "Сдвинуть высоты полета 1 вверх или вниз на шаг корректировки"},
    {"Label3", "Корректировка высот полета 1 относительно полета 2, от −500 до 500 м"},
    {"Label4", "Щелчок меняет шаг корректировки высоты: 1 или 10 м"},
    {"Edit1", "На сколько метров сдвинуты высоты полета 1"},
    {"Label1", "Файл полета 1. Перетащите сюда файл,\nчтобы открыть его как полет 1"},
    {"Label2", "Файл полета 2. Перетащите сюда файл,\nчтобы открыть его как полет 2"},
    {"Label7", "Файл полета 3. Перетащите сюда файл,\nчтобы открыть его как полет 3"},
    {"Label5", "После чтения файла Шифр показывает число прочитанных строк"},
    {"Label6", "Параметр полета 2 выбирается в нижнем ряду списков, во втором столбце"},
    {"Label8", "Какой разделитель дробной части принят на этом компьютере:\nчисла в файлах читаются только с ним"},
    {"CheckBox2", "Отметьте, если разделитель дробной части на этом компьютере — точка.\n"
                  "Действует со следующего чтения файла"},
    {"CheckBox3", "Отметьте, если разделитель дробной части на этом компьютере — запятая.\n"
                  "Действует со следующего чтения файла"},
    {"Edit2", "Номер медленного канала: полет 1 рисуется\nтолько по строкам этого канала столбца slwi"},
    {"ComboBox1", "Выбрать столбец высоты полета 1 (вертикальная ось)"},
    {"ComboBox2", "Выбрать параметр полета 1 (горизонтальная ось)"},
    {"ComboBox3", "Выбрать столбец высоты полета 2 (вертикальная ось)"},
    {"ComboBox4", "Выбрать параметр полета 2 (горизонтальная ось)"},
    {"ComboBox5", "Выбрать столбец высоты полета 3 (вертикальная ось)"},
    {"ComboBox6", "Выбрать параметр полета 3 (горизонтальная ось)"},
    {"Button4", "Показать температуру у всех полетов"},
    {"Button5", "Показать влажность у всех полетов"},
    {"Button2", "Показать направление ветра у всех полетов"},
    {"Button6", "Показать скорость ветра у всех полетов"},
    {"Button7", "Показать давление у всех полетов"},
    {"CheckBox1", "Отмечено: к параметру полета 1 прибавляется параметр полета 2;\nне отмечено: вычитается"},
    {"Memo1", "Заметки оператора; программа их не читает и не сохраняет"},
    {"Chart1", "Параметр каждого полета по высоте.\n"
               "Колесо — масштаб, перетаскивание — сдвиг, двойной щелчок — весь график;\n"
               "флажок в легенде скрывает кривую, правая кнопка — сохранить\n"
               "или открыть кампанию: сравнение многих пар (Ctrl+K)"},
    {"Chart2", "Полет 1 минус (или плюс) полет 2 на одной высоте\n"
               "и скользящее среднее по 101 строке (флажок в легенде).\n"
               "Правая кнопка — сохранить или открыть кампанию (Ctrl+K)"},
    {"Splitter1", "Перетащите границу, чтобы изменить ширину графиков и таблицы"},
};

const char* toolTipOf(const QObject* control) {
  for (const ToolTip& tip : kToolTips)
    if (control->objectName() == QLatin1String(tip.control)) return tip.text;
  return "";
}

}  // namespace

void TForm1::createToolTips() {
  setToolTips(this, kToolTips);
}

void TForm1::showIdentity(int slot) {
  const SlotWidgets widgets = slotWidgets(slot);
  const QString told = identityToolTip(flightIdentity(slot), widgets.heightBox->currentIndex());
  const QString hint = QString::fromUtf8(toolTipOf(widgets.fileLabel));
  widgets.fileLabel->setToolTip(told.isEmpty() ? hint : plainToolTip(told + QStringLiteral("\n\n") + hint));
  setLegendToolTip(widgets.series, plainToolTip(told));
}
