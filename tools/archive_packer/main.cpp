// Packs a folder into an enciphered asset archive: archive_packer <folder> <output.qca> <key>
#include "content/CPackedArchiveWriter.h"

#include <cstdio>

int main(int argc, char** argv)
{
	if (argc != 4)
	{
		fprintf(stderr, "usage: archive_packer <folder> <output.qca> <key>\n");
		return 2;
	}
	CPackedArchiveWriter writer(argv[3]);
	if (!writer.addFolder(argv[1]))
	{
		fprintf(stderr, "archive_packer: cannot read folder %s\n", argv[1]);
		return 1;
	}
	if (!writer.writeToFile(argv[2]))
	{
		fprintf(stderr, "archive_packer: cannot write %s\n", argv[2]);
		return 1;
	}
	printf("archive_packer: %zu files into %s\n", writer.getEntryCount(), argv[2]);
	return 0;
}
