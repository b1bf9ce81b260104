<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
<context>
    <name>Messages</name>
    <message>
        <source>File does not exist.</source>
        <translation>Файл не существует.</translation>
    </message>
    <message>
        <source>File: %1, line %2 (past the last line)</source>
        <translation>Файл: %1, строка %2 (за последней строкой)</translation>
    </message>
    <message>
        <source>File: %1, line %2</source>
        <translation>Файл: %1, строка %2</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Файл: %1</translation>
    </message>
    <message>
        <source>The number would read with %1 ticked: tick %1 and open the file again.</source>
        <translation>Число прочиталось бы с отметкой %1: отметьте %1 и откройте файл снова.</translation>
    </message>
    <message>
        <source>I/O error reading &quot;%1&quot;: %2</source>
        <translation>Ошибка ввода-вывода при чтении «%1»: %2</translation>
    </message>
    <message>
        <source>Line too long: a line of a flight file holds at most %1 MiB.</source>
        <translation>Слишком длинная строка: строка файла полёта — не больше %1 МиБ.</translation>
    </message>
    <message>
        <source>Unrecognised file: no header line of a known flight layout.</source>
        <translation>Файл не распознан: нет строки заголовка известного формата полёта.</translation>
    </message>
    <message>
        <source>Too many columns: a flight holds at most %1.</source>
        <translation>Слишком много столбцов: в полёте их не больше %1.</translation>
    </message>
    <message>
        <source>Too many rows: a flight holds at most %1.</source>
        <translation>Слишком много строк: в полёте их не больше %1.</translation>
    </message>
    <message>
        <source>A row holds %1 fields where the table's header names %2.</source>
        <translation>В строке полей: %1, а в заголовке таблицы названо столбцов: %2.</translation>
    </message>
    <message>
        <source>Not enough memory to read the file.</source>
        <translation>Не хватает памяти, чтобы прочитать файл.</translation>
    </message>
    <message>
        <source>The file is shorter than its header says: it was cut off.</source>
        <translation>Файл короче, чем сказано в его заголовке: он обрезан.</translation>
    </message>
    <message>
        <source>The file has changed since it was read: open it again.</source>
        <translation>Файл изменился после чтения: откройте его снова.</translation>
    </message>
    <message>
        <source>The product needs more memory than a flight may take.</source>
        <translation>Продукту нужно больше памяти, чем может занять полёт.</translation>
    </message>
    <message>
        <source>The product needs more computing time than a flight may take.</source>
        <translation>Продукту нужно больше времени счёта, чем может занять полёт.</translation>
    </message>
    <message>
        <source>The product refers to data in other files, which are not read.</source>
        <translation>Продукт ссылается на данные в других файлах, а они не читаются.</translation>
    </message>
    <message>
        <source>The product is split into several files, which are not read.</source>
        <translation>Продукт разделён на несколько файлов, их программа не читает.</translation>
    </message>
    <message>
        <source>The product needs the compression filter %1, which is not installed.</source>
        <translation>Продукту нужен фильтр сжатия %1, он не установлен.</translation>
    </message>
    <message>
        <source>The product&apos;s groups hold themselves: it is no sounding product.</source>
        <translation>Группы продукта содержат сами себя: это не продукт зондирования.</translation>
    </message>
    <message>
        <source>The product&apos;s groups nest deeper than %1: it is no sounding product.</source>
        <translation>Группы продукта вложены глубже %1 уровней: это не продукт зондирования.</translation>
    </message>
    <message>
        <source>The product holds more than %1 objects: it is no sounding product.</source>
        <translation>В продукте больше %1 объектов: это не продукт зондирования.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>«%1» — не правильное число с плавающей точкой</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>«%1» — не правильное целое число</translation>
    </message>
    <message>
        <source>No radiosonde sounding: no message of the TEMP templates 309052 or 309057.</source>
        <translation>Нет радиозондирования: нет сообщения по шаблонам TEMP 309052 или 309057.</translation>
    </message>
    <message>
        <source>Unknown unit &quot;%1&quot; of %2: the program converts only the units it knows.</source>
        <translation>Неизвестная единица «%1» у %2: программа пересчитывает только известные ей единицы.</translation>
    </message>
    <message>
        <source>Unknown unit of %1: its attribute &quot;units&quot; holds %2 rather than one text.</source>
        <translation>Неизвестная единица у %1: его атрибут «units» содержит %2, а не один текст.</translation>
    </message>
    <message>
        <source>Not a sounding product: no variable &quot;time&quot; along its time dimension.</source>
        <translation>Не продукт зондирования: нет переменной «time» по измерению времени.</translation>
    </message>
    <message>
        <source>Not a sounding product: no dimension &quot;time&quot;.</source>
        <translation>Не продукт зондирования: нет измерения «time».</translation>
    </message>
    <message>
        <source>Cannot set the rules of the library&apos;s process: %1</source>
        <translation>Не удалось задать правила процесса библиотеки: %1</translation>
    </message>
    <message>
        <source>The %1 library made no progress reading the file for %2 s.</source>
        <translation>Библиотека %1 не продвинулась в чтении файла за %2 с.</translation>
    </message>
    <message>
        <source>The %1 library crashed reading the file (%2).</source>
        <translation>Библиотека %1 аварийно завершилась при чтении файла (%2).</translation>
    </message>
    <message>
        <source>The %1 library ended while reading the file.</source>
        <translation>Библиотека %1 завершилась во время чтения файла.</translation>
    </message>
    <message>
        <source>Too many files: the window holds three flights, one file for each slot.</source>
        <translation>Слишком много файлов: в окне три полёта, по одному файлу на каждый.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: the picture could not be drawn.</source>
        <translation>Не удалось записать «%1»: рисунок не удалось нарисовать.</translation>
    </message>
    <message>
        <source>Cannot write &quot;report.pdf&quot;: the report could not be drawn.</source>
        <translation>Не удалось записать «report.pdf»: отчёт не удалось нарисовать.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: the link &quot;%2&quot; belongs to another user in a folder all may write to, and is not followed</source>
        <translation>Не удалось записать «%1»: ссылка «%2» принадлежит другому пользователю в общей папке, и по ней программа не идёт</translation>
    </message>
    <message>
        <source>Left new: %1</source>
        <translation>Заменены новыми: %1</translation>
    </message>
    <message>
        <source>Left as they were: %1</source>
        <translation>Остались прежними: %1</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>Не удалось записать «%1»: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>Не удалось прочитать «%1»: %2</translation>
    </message>
    <message>
        <source>Cannot save a picture as &quot;%1&quot;: name it .png, .svg or .pdf.</source>
        <translation>Не удалось сохранить рисунок как «%1»: дайте имя с .png, .svg или .pdf.</translation>
    </message>
    <message>
        <source>Flights make pairs: give an even number of files, the first with the second, the third with the fourth and so on. No pair was added.</source>
        <translation>Полёты составляют пары: дайте чётное число файлов, первый со вторым, третий с четвёртым и так далее. Ни одна пара не добавлена.</translation>
    </message>
    <message>
        <source>Files given: %1</source>
        <translation>Дано файлов: %1</translation>
    </message>
    <message>
        <source>No pairs to compare: open a list, or add files two at a time.</source>
        <translation>Нет пар для сравнения: откройте список или добавьте файлы по два.</translation>
    </message>
    <message>
        <source>Nothing to save: run the campaign first.</source>
        <translation>Нечего сохранять: сначала запустите кампанию.</translation>
    </message>
    <message>
        <source>The campaign was cancelled: its results are incomplete and are not saved.</source>
        <translation>Кампания отменена: её результаты неполны и не сохраняются.</translation>
    </message>
    <message>
        <source>Cannot create the folder &quot;%1&quot;: %2.</source>
        <translation>Не удалось создать папку «%1»: %2.</translation>
    </message>
    <message>
        <source>Cannot read the campaign list &quot;%1&quot;: %2.</source>
        <translation>Не удалось прочитать список кампании «%1»: %2.</translation>
    </message>
    <message>
        <source>Line too long: a line of a campaign list holds at most %1 MiB.</source>
        <translation>Слишком длинная строка: строка списка кампании — не больше %1 МиБ.</translation>
    </message>
    <message>
        <source>Bad campaign list: a quote is not closed.</source>
        <translation>Неверный список кампании: кавычка не закрыта.</translation>
    </message>
    <message>
        <source>Bad campaign list: the first row must be flight1,flight2 or flight1,flight2,group.</source>
        <translation>Неверный список кампании: первая строка должна быть flight1,flight2 или flight1,flight2,group.</translation>
    </message>
    <message>
        <source>Bad campaign list: a row must have %1 fields, as the header has.</source>
        <translation>Неверный список кампании: число полей в строке должно быть %1, как в заголовке.</translation>
    </message>
    <message>
        <source>Bad campaign list: a field holds a NUL byte.</source>
        <translation>Неверный список кампании: поле содержит байт NUL.</translation>
    </message>
    <message>
        <source>Bad campaign list: a group name holds at most %1 bytes.</source>
        <translation>Неверный список кампании: имя группы — не больше %1 байт.</translation>
    </message>
    <message>
        <source>The list names no pair.</source>
        <translation>В списке нет ни одной пары.</translation>
    </message>
    <message>
        <source>List: %1, line %2</source>
        <translation>Список: %1, строка %2</translation>
    </message>
    <message>
        <source>List: %1</source>
        <translation>Список: %1</translation>
    </message>
    <message>
        <source>Flight %1 has no height column.</source>
        <translation>У полёта %1 нет столбца высоты.</translation>
    </message>
    <message>
        <source>Flight %1 has no time column.</source>
        <translation>У полёта %1 нет столбца времени.</translation>
    </message>
    <message>
        <source>The shift cannot be found: the two flights' heights never meet in time. Type the shift.</source>
        <translation>Сдвиг не найден: высоты двух полётов не сходятся во времени. Введите сдвиг.</translation>
    </message>
    <message>
        <source>Flight %1 has no column for %2.</source>
        <translation>У полёта %1 нет столбца для %2.</translation>
    </message>
    <message>
        <source>Flight %1 has no column named &quot;%2&quot;.</source>
        <translation>У полёта %1 нет столбца с именем «%2».</translation>
    </message>
    <message>
        <source>Flight %1: %2</source>
        <translation>Полёт %1: %2</translation>
    </message>
    <message>
        <source>No comparison value: at this shift the flights have no moment in common.</source>
        <translation>Нет значений сравнения: при этом сдвиге у полётов нет общего момента.</translation>
    </message>
    <message>
        <source>No comparison value: the flights have no height in common.</source>
        <translation>Нет значений сравнения: у полётов нет общих высот.</translation>
    </message>
    <message>
        <source>Heights not %1: flight 1 %2, flight 2 %3.</source>
        <translation>Высоты не %1: полёт 1 — %2, полёт 2 — %3.</translation>
    </message>
    <message>
        <source>Not compared: the campaign was cancelled.</source>
        <translation>Не сравнена: кампания отменена.</translation>
    </message>
    <message>
        <source>Not one sounding: launches %1 days apart, sites %2 km apart.</source>
        <translation>Не одно зондирование: запуски разнесены на %1 сут., места — на %2 км.</translation>
    </message>
    <message>
        <source>Not one sounding: launches %1 hours apart, sites %2 km apart.</source>
        <translation>Не одно зондирование: запуски разнесены на %1 ч, места — на %2 км.</translation>
    </message>
    <message>
        <source>Not one sounding: launches %1 days apart.</source>
        <translation>Не одно зондирование: запуски разнесены на %1 сут.</translation>
    </message>
    <message>
        <source>Not one sounding: launches %1 hours apart.</source>
        <translation>Не одно зондирование: запуски разнесены на %1 ч.</translation>
    </message>
    <message>
        <source>Not one sounding: sites %1 km apart.</source>
        <translation>Не одно зондирование: места разнесены на %1 км.</translation>
    </message>
    <message>
        <source>Not one sounding: launches %1 minutes apart, sites %2 km apart.</source>
        <translation>Не одно зондирование: запуски разнесены на %1 мин, места — на %2 км.</translation>
    </message>
    <message>
        <source>Not one sounding: launches %1 minutes apart.</source>
        <translation>Не одно зондирование: запуски разнесены на %1 мин.</translation>
    </message>
    <message>
        <source>Same pair as line %1.</source>
        <translation>Та же пара, что в строке %1.</translation>
    </message>
    <message>
        <source>Same pair as pair %1.</source>
        <translation>Та же пара, что пара %1.</translation>
    </message>
    <message>
        <source>The read was cancelled.</source>
        <translation>Чтение отменено.</translation>
    </message>
    <message>
        <source>SOURCE_DATE_EPOCH must be a number of seconds.</source>
        <translation>SOURCE_DATE_EPOCH должна быть числом секунд.</translation>
    </message>
    <message>
        <source>SOURCE_DATE_EPOCH: %1</source>
        <translation>SOURCE_DATE_EPOCH: %1</translation>
    </message>
    <message>
        <source>Cannot write the standard output: standard output is closed.</source>
        <translation>Не удаётся записать в стандартный вывод: стандартный вывод закрыт.</translation>
    </message>
    <message>
        <source>Cannot write the standard output: %1</source>
        <translation>Не удаётся записать в стандартный вывод: %1</translation>
    </message>
    <message>
        <source>No item &quot;%1&quot; in %2.</source>
        <translation>Нет элемента «%1» в %2.</translation>
    </message>
    <message>
        <source>Not enough memory to finish the campaign.</source>
        <translation>Недостаточно памяти, чтобы завершить кампанию.</translation>
    </message>
    <message>
        <source>heights of different kinds are pooled: %1 with geometric altitude, %2 with geopotential height (--height-kind keeps one kind)</source>
        <translation>в одну выборку сведены высоты разного вида: %1 — геометрическая высота, %2 — геопотенциальная (--height-kind оставляет один вид)</translation>
    </message>
    <message>
        <source>%1 flight</source>
        <translation>полётов: %1</translation>
    </message>
    <message>
        <source>%1 flights</source>
        <translation>полётов: %1</translation>
    </message>
</context>
<context>
    <name>OpenDialog</name>
    <message>
        <source>Flight files</source>
        <translation>Файлы полётов</translation>
    </message>
    <message>
        <source>Special files</source>
        <translation>Особые файлы</translation>
    </message>
    <message>
        <source>Reference products</source>
        <translation>Эталонные продукты</translation>
    </message>
    <message>
        <source>Any file</source>
        <translation>Любой файл</translation>
    </message>
</context>
</TS>
