// Every text of the project manager in one table: messages, log lines, dialog questions,
// captions, hints and file filters. The core and the forms take their words from here only,
// so a changed wording is changed in one place and tests can compare against the same names.
#pragma once
#include <QString>

namespace DeskText {

// Program and title.
inline constexpr const char* AppName = "Vydesk";
inline constexpr const char* TitleSuffix = "] - Vydesk";
inline constexpr const char* ModifiedMark = " *";
inline constexpr const char* Version = "v1.8.35";
inline constexpr const char* RestoreMessage = "VydeskNeedRestoreMessage";
inline constexpr const char* AlreadyRunning = "Приложение Vydesk уже запущено, вернуться к ранее открытому проекту ?";

// Targets, in the order of the target box.
inline constexpr const char* Targets[] = {
    "Win32 Console Application (MS Visual C++ 6.0, только Windows)",
    "Win32 Application (MS Visual C++ 6.0, только Windows)",
    "Console Application (g++, GNU make)",
    "Win32 Application (g++, GNU make)",
    "Console Application (g++, раздельная сборка)",
};

// Project file and settings.
inline constexpr const char* ReadError = "Ошибка чтения файла \"";
inline constexpr const char* WriteError = "Ошибка записи в файл \"";
inline constexpr const char* CreateProjectFor = "Создать новый проект для файла \"";
inline constexpr const char* CreateProjectForEnd = "\" ?";
inline constexpr const char* MakeMainFile = "Назначить файл \"";
inline constexpr const char* MakeMainFileEnd = "\" главным файлом проекта ?";
inline constexpr const char* NoProjects = "Нет проектов";

// Project commands.
inline constexpr const char* SaveCurrent = "Сохранить текущий проект ?";
inline constexpr const char* SavePrevious = "Сохранить предыдущий проект ?";
inline constexpr const char* FileInList = "Файл \"";
inline constexpr const char* InListEnd = "\" уже имеется в списке";
inline constexpr const char* NoSelectedFile = "Нет выделенного файла";
inline constexpr const char* RemoveFileQuestion = "Убрать выбранный файл из проекта ?";
inline constexpr const char* SetMainQuestion = "Назначить выделенный файл главным файлом проекта ?";
inline constexpr const char* OpenProjectFirst = "Необходимо предварительно открыть проект";
inline constexpr const char* ClearQuestion = "Очистить рабочие каталоги проекта (CPP/, DFN/, Make/) ?";
inline constexpr const char* DeleteError = "Ошибка удаления файла \"";
inline constexpr const char* ClearDone = "Уничтожение временных файлов проекта завершено";
inline constexpr const char* FolderInList = "Каталог \"";
inline constexpr const char* NoSelectedFolder = "Нет выделенного каталога";
inline constexpr const char* RemoveFolderQuestion = "Убрать выбранный каталог ?";

// Tool pipeline.
inline constexpr const char* PreviousRunning = "Внутренняя ошибка: не завершен предыдущий процесс";
inline constexpr const char* LogCreateError = "Внутренняя ошибка: невозможно создать лог-файл";
inline constexpr const char* LogCloseError = "Внутренняя ошибка: невозможно закрыть лог-файл";
inline constexpr const char* LogReadError = "Внутренняя ошибка: невозможно получить доступ для чтения из лог-файла";
inline constexpr const char* BadTermination = "Некорректное завершение запущенного процесса";
inline constexpr const char* BuildFailed = "Обнаружены ошибки при сборке исполняемого файла";
inline constexpr const char* BuildOk = "Сборка завершена, ошибок нет";
inline constexpr const char* VersionVybindError = "Ошибка получения информации о версии Vybind";
inline constexpr const char* VersionVygenError = "Ошибка получения информации о версии Vygen";
inline constexpr const char* VersionVykError = "Ошибка получения информации о версии VYK";
inline constexpr const char* VersionsDone = "Информация о версиях получена";
inline constexpr const char* VersionsStart = "Получение информации о версиях инструментальных средств...";
inline constexpr const char* Compiling = "Компиляция ";
inline constexpr const char* CompilingEnd = "...";
inline constexpr const char* CompilerStartError = "Ошибка запуска компилятора для ";
inline constexpr const char* RunningVybind = "Запуск Vybind...";
inline constexpr const char* VybindStartError = "Ошибка запуска Vybind";
inline constexpr const char* RunningVygen = "Запуск Vygen...";
inline constexpr const char* VygenStartError = "Ошибка запуска Vygen";
inline constexpr const char* SkipLinker = "Vybind и Vygen не запускались: есть ошибки компиляции";
inline constexpr const char* SkipMakegen = "Vygen не запускался: есть ошибки компоновки";
inline constexpr const char* Stopped = "Остановлено пользователем";
inline constexpr const char* ProjectCompiled = "Компиляция проекта завершена, ошибок: ";
inline constexpr const char* CreateOrOpenFirst = "Необходимо предварительно создать или открыть проект";
inline constexpr const char* NoFilesToCompile = "Нет файлов для компиляции";
inline constexpr const char* ChdirError = "Ошибка при выборе текущей директории (";
inline constexpr const char* ChdirErrorEnd = ")";
inline constexpr const char* Cancelled = "Операция отменена: внутренняя ошибка";
inline constexpr const char* DeleteVymError = "Ошибка при удалении файла \"CPP/_VYK_make.vym\"";
inline constexpr const char* TempProjectError = "Ошибка при создании промежуточного файла для запуска компилятора";
inline constexpr const char* CompilingProject = "Компиляция проекта...";
inline constexpr const char* CompileFirst = "Необходимо предварительно откомпилировать проект";
inline constexpr const char* NotCompiled = "Операция отменена: проект не откомпилирован";
inline constexpr const char* OldExecutable = "Перед запуском сборки необходимо удалить старый исполняемый файл";
inline constexpr const char* Building = "Сборка исполняемого файла...";
inline constexpr const char* ObjectsToCompile = "Объектов к компиляции: ";
inline constexpr const char* ObjectDone = "Готово %1 из %2: %3";
inline constexpr const char* MakeStartError = "Ошибка при запуске make";
inline constexpr const char* NMakeWindowsOnly = "Проекты для MS Visual C++ собираются только в Windows (nmake); выберите целевую платформу Console Application или Win32 Application (g++)";
inline constexpr const char* BadProgramName = "Недопустимое имя исполняемого файла \"";
inline constexpr const char* BadProgramNameEnd = "\": имя не должно содержать каталогов; сборка и запуск отменены";
inline constexpr const char* BuildFirst = "Необходимо предварительно откомпилировать проект и собрать программу (F7, F8)";
inline constexpr const char* ScriptError = "Ошибка создания командного файла \"";
inline constexpr const char* RunError = "Ошибка при запуске исполняемого файла";
inline constexpr const char* ProgramStarted = "Запуск программы ";
inline constexpr const char* ProgramEnded = "Программа завершена, код завершения ";
inline constexpr const char* ProgramKilled = "Программа остановлена или завершена сигналом";
inline constexpr const char* ProgramNotStarted = "Программу не удалось запустить: ";
inline constexpr const char* BuildingBeforeRun = "Исходные тексты новее программы: сначала компиляция и сборка";
inline constexpr const char* NoRunAfterErrors = "Программа не запущена: есть ошибки";
inline constexpr const char* ImportCycle = "Циклический импорт модулей, компиляция отменена: ";
inline constexpr const char* StopQuestion = "Запущенный процесс будет остановлен. Выйти из Vydesk ?";

// Exit codes of a program with a meaning of their own (the library's traps).
struct STrapText {
    int code;
    const char* meaning;
};
inline constexpr const char* HaltMeaning = "HALT или ASSERT с этим кодом";
inline constexpr STrapText TrapTexts[] = {
    {1, "HALT(1), ASSERT(b, 1) или стандартный вывод не удалось записать"},
    {251, "CASE: значение не совпало ни с одной меткой, ELSE нет"},
    {252, "WITH: ни одна охрана не подошла, ELSE нет"},
    {253, "ASSERT без кода: условие ложно"},
    {254, "общая процедура не нашла обработчика для своих аргументов"},
};
inline constexpr const char* PressEnter = "Для продолжения нажмите Enter...";

// Source editor.
inline constexpr const char* SaveSourcesQuestion = "Сохранить изменённые исходные тексты перед запуском ?";
inline constexpr const char* SaveSourcesOnClose = "Сохранить изменённые исходные тексты ?";
inline constexpr const char* SaveSourceQuestion = "Сохранить изменения в файле \"";
inline constexpr const char* SaveSourceQuestionEnd = "\" ?";
inline constexpr const char* ReloadQuestion = "Файл \"";
inline constexpr const char* ReloadQuestionEnd = "\" изменён другой программой. Загрузить его заново ?";
inline constexpr const char* ReloadLosesEdits = "\" изменён другой программой. Загрузить его заново, отказавшись от правки в редакторе ?";
inline constexpr const char* NotFound = "Текст не найден: ";
inline constexpr const char* Replaced = "Заменено: ";
inline constexpr const char* ReadOnlyMark = " (только чтение)";
inline constexpr const char* FindCaption = "Найти:";
inline constexpr const char* ReplaceCaption = "Заменить на:";
inline constexpr const char* GoToLineCaption = "Перейти к строке:";
inline constexpr const char* AlwaysSave = "Сохранять исходные тексты без вопроса";

// Project options.
inline constexpr const char* ChecksCaption = "Проверки во время выполнения";
inline constexpr const char* ChecksHint = "Индексы, NIL и диапазоны проверяются при выполнении программы (VYK -c); ошибка называет модуль, строку и столбец";

// Tool settings dialog.
inline constexpr const char* ConfCaption = "Настройка инструментальных средств";
inline constexpr const char* NoVyk = "Не указан компилятор VYK";
inline constexpr const char* NoVybind = "Не указан компоновщик Vybind";
inline constexpr const char* NoVygen = "Не указана утилита Vygen";
inline constexpr const char* NoCpp = "Не указан компилятор c++";
inline constexpr const char* NoMakefile = "Не указан файл скрипта для запуска компилятора C++";
inline constexpr const char* NoTabSize = "Не указан размер табуляции в исходных файлах";
inline constexpr const char* BadTabSize = "Недопустимое значение размера табуляции в исходных файлах, укажите целое неотрицательное числовое значение";
inline constexpr const char* NoNMake = "Не указана строка для запуска NMake";
inline constexpr const char* NoMake = "Не указана строка для запуска Make";

// File dialog filters, written as description|pattern pairs.
inline constexpr const char* FilterSavePro = "Проектные файлы Vyklang (*.pro)|*.pro|Все файлы (*.*)|*.*";
inline constexpr const char* FilterOpenPro = "Проектные файлы Vyklang (*.pro)|*.pro|Исходные тексты Vyklang (*.vyk;*.o2)|*.vyk;*.o2|Все файлы (*.*)|*.*";
inline constexpr const char* FilterFiles = "Исходные тексты Vyklang (*.vyk;*.o2)|*.vyk;*.o2|Все файлы (*.*)|*.*";
inline constexpr const char* ChooseImportFolder = "Каталог с модулями (файлами .dfn)";
inline constexpr const char* FilterTools = "Все файлы (*.*)|*.*";

// The text as a QString (the table is UTF-8).
inline QString Q(const char* text) { return QString::fromUtf8(text); }

}  // namespace DeskText
