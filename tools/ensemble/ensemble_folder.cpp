#include "ensemble_folder.h"

#include <algorithm>
#include <system_error>

#include "input_error.h"

namespace fs = std::filesystem;

namespace orr
{
  namespace ensemble
  {
    namespace
    {
      const std::string DECK_SUFFIX = ".fip";
    }

    EnsembleFolder::EnsembleFolder(const std::string &folder)
    {
      std::error_code error;
      if (folder.empty() || !fs::is_directory(folder, error))
        throw InputError("Error: the ensemble folder " + folder + " does not exist.\n");
      _path = fs::absolute(folder).lexically_normal();
      if (!_path.has_filename())
        _path = _path.parent_path();

      std::vector<std::string> decks;
      for (const fs::directory_entry &entry : fs::directory_iterator(_path))
        {
          const std::string name = entry.path().filename().string();
          if (entry.is_regular_file() && name.size() > DECK_SUFFIX.size() &&
              name.compare(name.size() - DECK_SUFFIX.size(), DECK_SUFFIX.size(), DECK_SUFFIX) == 0)
            decks.push_back(name);
          else if (entry.is_directory() && name != RUNS && name[0] != '.')
            {
              if (name.find_first_of("\n\r") != std::string::npos)
                throw InputError("Error: the realisation folder name \"" + name +
                                 "\" holds a line break.\n");
              _realisations.push_back(name);
            }
        }
      std::sort(decks.begin(), decks.end());
      std::sort(_realisations.begin(), _realisations.end());

      if (decks.empty())
        throw InputError("Error: the ensemble folder " + _path.string() +
                         " holds no base deck (<root>.fip).\n");
      if (decks.size() > 1)
        {
          std::string list;
          for (const std::string &deck : decks)
            list += (list.empty() ? "" : ", ") + deck;
          throw InputError("Error: the ensemble folder " + _path.string() + " holds more than one deck (" +
                           list + "); an ensemble has one base deck.\n");
        }
      _root_name = decks.front().substr(0, decks.front().size() - DECK_SUFFIX.size());
      if (_realisations.empty())
        throw InputError("Error: the ensemble folder " + _path.string() +
                         " holds no realisation folders.\n");
    }

    fs::path EnsembleFolder::base_deck() const
    {
      return _path / (_root_name + DECK_SUFFIX);
    }

    fs::path EnsembleFolder::realisation_folder(const std::string &name) const
    {
      return _path / name;
    }

    fs::path EnsembleFolder::runs_folder() const
    {
      return _path / RUNS;
    }

    fs::path EnsembleFolder::run_folder(const std::string &name) const
    {
      return runs_folder() / name;
    }

    fs::path EnsembleFolder::result_path(const std::string &suffix) const
    {
      return _path / (_root_name + suffix);
    }
  } // namespace ensemble
} // namespace orr
