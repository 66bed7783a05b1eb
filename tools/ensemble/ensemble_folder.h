#ifndef QUILL_ENSEMBLE_FOLDER_H
#define QUILL_ENSEMBLE_FOLDER_H

#include <filesystem>
#include <string>
#include <vector>

namespace orr
{
  namespace ensemble
  {
    /**
     * The layout of an ensemble: a folder holding one base deck `<root>.fip`, its included
     * files, and one sub-folder per realisation with the included files that differ. The
     * tool's own files live in the sub-folder "runs" (one run folder per realisation); the
     * collected results are written beside the base deck.
     */
    class EnsembleFolder
    {
    public:
      /** The sub-folder that holds the run folders; never a realisation. */
      static constexpr const char *RUNS = "runs";

      /**
       * Looks at `folder`: finds the base deck and the realisations (sorted by name; hidden
       * folders and "runs" are left out).
       * Throws orr::InputError when the folder does not exist, holds no deck or more than
       * one, or no realisation.
       */
      explicit EnsembleFolder(const std::string &folder);

      /** The folder, absolute. */
      const std::filesystem::path &path() const { return _path; }
      /** The base deck's name without ".fip". */
      const std::string &root_name() const { return _root_name; }
      /** <folder>/<root>.fip */
      std::filesystem::path base_deck() const;
      /** The realisations' names, sorted. */
      const std::vector<std::string> &realisations() const { return _realisations; }
      /** <folder>/<name>: the realisation's own files. */
      std::filesystem::path realisation_folder(const std::string &name) const;
      /** <folder>/runs */
      std::filesystem::path runs_folder() const;
      /** <folder>/runs/<name>: where the realisation runs. */
      std::filesystem::path run_folder(const std::string &name) const;
      /** <folder>/<root><suffix>: a collected result. */
      std::filesystem::path result_path(const std::string &suffix) const;

    private:
      std::filesystem::path    _path;
      std::string              _root_name;
      std::vector<std::string> _realisations;
    };
  } // namespace ensemble
} // namespace orr

#endif
